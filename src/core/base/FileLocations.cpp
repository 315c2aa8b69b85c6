// The one rule for where the game's files are read and written.
#include "base/FileLocations.h"

#include "base/FilePaths.h"
#include "base/ProgramFolder.h"
#include "base/SystemCalls.h"

#include <filesystem>
#include <system_error>

namespace quorvel {

namespace fs = std::filesystem;

FileLocations::FileLocations(std::string programFolder, std::string playerFolder)
    : m_program(quorvel::programFolder(programFolder)),
      m_player(playerFolder.empty() ? m_program : quorvel::programFolder(playerFolder)) {}

FileLocations FileLocations::choose(const std::string& programFolder,
                                    const std::string& playerFolder) {
    const bool sharesProgramFolder =
        !isInstalledCopy(programFolder) && isWritableFolder(programFolder);
    if (sharesProgramFolder || playerFolder.empty())
        return FileLocations(programFolder);
    return FileLocations(programFolder, playerFolder);
}

std::string FileLocations::shipped(std::string_view relativeName) const {
    return dataPath(m_program, relativeName);
}

std::string FileLocations::toRead(std::string_view relativeName) const {
    const std::string own = dataPath(m_player, relativeName);
    std::error_code error;
    if (!keepsPlayerFilesApart() || fs::exists(filePath(own), error))
        return own;
    return shipped(relativeName);
}

std::string FileLocations::toWrite(std::string_view relativeName) const {
    const std::string own = dataPath(m_player, relativeName);
    if (!keepsPlayerFilesApart())
        return own;
    std::error_code error;
    fs::create_directories(filePath(own).parent_path(), error);
    const std::string original = shipped(relativeName);
    if (!fs::exists(filePath(own), error) && fs::is_regular_file(filePath(original), error))
        fs::copy_file(filePath(original), filePath(own), error); // a failed copy only loses the starting point
    return own;
}

bool isWritableFolder(const std::string& folder) {
    std::error_code error;
    return fs::is_directory(filePath(folder), error) && mayCreateFilesIn(filePath(folder));
}

} // namespace quorvel
