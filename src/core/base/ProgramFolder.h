// The program folder: where the game's shipped data is found, and whether it is an installed copy.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The file the install step puts into the installed data folder. A program folder that holds
// it belongs to an installed game, which never writes there, whoever runs it.
inline constexpr std::string_view kInstalledMarker = "quorvel.installed";

// The executable's folder with exactly one trailing '/'. A folder that already ends in a
// separator (such as the root) gets no second one; no other part of the path is touched.
std::string programFolder(std::string_view executableFolder);

// The program folder of an executable: the installed data folder (installedData, relative to
// the executable's folder, as the build configured it) when it holds the marker, else the
// executable's own folder, as in a build folder or an unpacked copy.
std::string locateProgramFolder(std::string_view executableFolder, std::string_view installedData);
std::string locateProgramFolder(std::string_view executableFolder);

// True when the program folder belongs to an installed game (it holds the marker).
bool isInstalledCopy(std::string_view programFolder);

// A data path: the program folder followed by a relative name such as "zq/formats".
std::string dataPath(std::string_view folder, std::string_view relativeName);

} // namespace quorvel
