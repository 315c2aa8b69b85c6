// The game left in play at shut-down, kept in the player's folder until the next start.
#pragma once

#include "base/FileLocations.h"

#include <string>
#include <string_view>

namespace quorvel {

class Game;

// One file, zq/saved.txt: written whole and renamed into place, so a crash leaves the old file
// or the new one. A file that cannot be rebuilt is set aside as zq/saved.txt.bad, where it harms
// nothing and can still be looked at.
class UnfinishedGame {
public:
    static constexpr const char* FileName = "zq/saved.txt";
    static constexpr const char* SetAsideName = "zq/saved.txt.bad";
    // The whole of a file that stands for "no game in play", where an older file cannot go.
    static constexpr std::string_view NoGameText = "No game in play.\n";

    explicit UnfinishedGame(const FileLocations& files) : m_files(files) {}

    // Keeps the game in play, msIntoInterval into its timer's interval. Throws FileError when
    // the file cannot be written; the old one is then left as it was.
    void keep(const Game& game, int msIntoInterval) const;
    // No game to keep: a file from an earlier run goes, so it cannot come back later. Where it
    // cannot be removed (a read-only folder), a NoGameText file where the game writes stands
    // for it instead.
    void forget() const;
    // Whether a game is kept; a complete copy left by a kill during the last write is taken in
    // first, and copies cut short are removed.
    bool exists() const;

    // What resuming came to: nothing kept, the game back on the board, or a file set aside
    // with the reason for the player.
    struct Outcome {
        enum class Kind { NothingKept, Resumed, SetAside } kind = Kind::NothingKept;
        std::string problem;    // SetAside: what was wrong with it, in the player's words
        std::string setAsideAt; // SetAside: where the file is now; empty when it was removed
        int msIntoInterval = 0; // Resumed: how far the game timer's interval had run
    };
    // Reads the kept game into game. The file is set aside before the game is rebuilt and put
    // back once it is, so a file that brings the game down is never tried twice, while a game
    // that came back stays kept until it is saved again or ends.
    Outcome resumeInto(Game& game) const;

private:
    Outcome setAside(const std::string& problem) const;
    void adoptLeftoverCopy() const;
    static bool isNoGame(const std::string& path); // missing, or a NoGameText file

    FileLocations m_files;
};

} // namespace quorvel
