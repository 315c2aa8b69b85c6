// The program folder rule shared by the game and the tool.
#include "base/ProgramFolder.h"

namespace quorvel {

std::string programFolder(std::string_view executableFolder) {
    std::string folder(executableFolder);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string dataPath(std::string_view folder, std::string_view relativeName) {
    std::string path = programFolder(folder);
    while (!relativeName.empty() && relativeName.front() == '/')
        relativeName.remove_prefix(1);
    path += relativeName;
    return path;
}

} // namespace quorvel
