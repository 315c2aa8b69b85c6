// The shipped How to Play page must work offline: every picture it shows ships beside it.
#include "base/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

namespace quorvel {
namespace {

const std::string HelpFolder = std::string(QUORVEL_SOURCE_DIR) + "/data/zq/";

TEST(HelpPage, EveryResourceIsLocalAndShipsBesideThePage) {
    const std::string page = readWholeFile(HelpFolder + "zq.htm");
    const std::regex resource(R"re((src|href)="([^"]*)")re");
    int pictures = 0;
    for (std::sregex_iterator it(page.begin(), page.end(), resource), end; it != end; ++it) {
        const std::string target = (*it)[2];
        EXPECT_EQ(target.find("://"), std::string::npos) << target << " needs a network";
        if (target.empty() || target[0] == '#')
            continue; // a jump within the page
        EXPECT_TRUE(std::filesystem::exists(HelpFolder + target)) << target;
        pictures += (*it)[1] == "src" ? 1 : 0;
    }
    EXPECT_GE(pictures, 1);
}

TEST(HelpPage, EveryJumpHasItsTarget) {
    const std::string page = readWholeFile(HelpFolder + "zq.htm");
    const std::regex jump(R"re(href="#([^"]+)")re");
    for (std::sregex_iterator it(page.begin(), page.end(), jump), end; it != end; ++it) {
        const std::string id = "id=\"" + (*it)[1].str() + "\"";
        EXPECT_NE(page.find(id), std::string::npos) << (*it)[1];
    }
}

} // namespace
} // namespace quorvel
