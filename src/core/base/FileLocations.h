// Where each file of the game lives: the program folder for what ships with the game, and
// the player's own folder for what the game writes when the program folder is read-only.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

class FileLocations {
public:
    // Both folders end in one '/'. An empty player folder, or the program folder itself, keeps
    // every file in the program folder (a game unpacked into a folder of its own).
    explicit FileLocations(std::string programFolder, std::string playerFolder = {});

    // Picks the player folder: none when the program folder is writable and not an installed
    // copy, else playerFolder. An installed game never writes beside itself, even as root.
    static FileLocations choose(const std::string& programFolder, const std::string& playerFolder);

    const std::string& programFolder() const { return m_program; }
    const std::string& playerFolder() const { return m_player; }
    bool keepsPlayerFilesApart() const { return m_player != m_program; }

    // Data the player never writes (kbs/, zq/formats, sound/, tips, help, marker files).
    std::string shipped(std::string_view relativeName) const;
    // A file the player owns, to read: the player's copy when there is one, else the shipped one.
    std::string toRead(std::string_view relativeName) const;
    // A file the player owns, to write: always in the player folder, whose folders are made.
    // When only the program folder holds the file, it is copied first, so that an update
    // (a line appended, a key changed) starts from the player's history.
    std::string toWrite(std::string_view relativeName) const;

private:
    std::string m_program;
    std::string m_player;
};

// True when a file can be created in folder (it exists and this user may write there).
bool isWritableFolder(const std::string& folder);

} // namespace quorvel
