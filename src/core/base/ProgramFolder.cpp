// The program folder rule shared by the game and the tool.
#include "base/ProgramFolder.h"

#include "base/FilePaths.h"

#include <filesystem>
#include <system_error>

// QUORVEL_INSTALLED_DATA, the installed data folder relative to the installed executables,
// comes from the build's install layout.

namespace quorvel {

std::string programFolder(std::string_view executableFolder) {
    std::string folder(executableFolder);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string locateProgramFolder(std::string_view executableFolder, std::string_view installedData) {
    if (!installedData.empty()) {
        const std::filesystem::path installed =
            (filePath(executableFolder) / filePath(installedData)).lexically_normal();
        if (isInstalledCopy(pathText(installed)))
            return programFolder(pathText(installed));
    }
    return programFolder(executableFolder);
}

std::string locateProgramFolder(std::string_view executableFolder) {
    return locateProgramFolder(executableFolder, QUORVEL_INSTALLED_DATA);
}

bool isInstalledCopy(std::string_view programFolder) {
    std::error_code error;
    return std::filesystem::is_regular_file(filePath(dataPath(programFolder, kInstalledMarker)),
                                            error);
}

std::string dataPath(std::string_view folder, std::string_view relativeName) {
    std::string path = programFolder(folder);
    while (!relativeName.empty() && relativeName.front() == '/')
        relativeName.remove_prefix(1);
    path += relativeName;
    return path;
}

} // namespace quorvel
