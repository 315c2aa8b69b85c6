// The program folder: where the executable lives and every data file is found.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The executable's folder with exactly one trailing '/'. A folder that already ends in a
// separator (such as the root) gets no second one; no other part of the path is touched.
std::string programFolder(std::string_view executableFolder);

// A data path: the program folder followed by a relative name such as "zq/formats".
std::string dataPath(std::string_view folder, std::string_view relativeName);

} // namespace quorvel
