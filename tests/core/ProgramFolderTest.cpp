// The program folder ends in exactly one separator and data paths hang off it.
#include "base/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using quorvel::dataPath;
using quorvel::programFolder;

TEST(ProgramFolder, EndsInExactlyOneSeparator) {
    EXPECT_EQ(programFolder("/opt/quorvel"), "/opt/quorvel/");
    EXPECT_EQ(programFolder("/opt/quorvel/"), "/opt/quorvel/");
    EXPECT_EQ(programFolder("/"), "/");
    EXPECT_EQ(programFolder("/a//b"), "/a//b/"); // inner separators are left alone
}

TEST(ProgramFolder, DataPathsAreBuiltFromTheFolder) {
    EXPECT_EQ(dataPath("/opt/q", "zq/formats"), "/opt/q/zq/formats");
    EXPECT_EQ(dataPath("/opt/q/", "kbs/Common Words.dic"), "/opt/q/kbs/Common Words.dic");
    EXPECT_EQ(dataPath("/opt/q/", "/RQN_ZQ.INI"), "/opt/q/RQN_ZQ.INI");
}

TEST(ProgramFolder, StagedDataSitsBesideTheExecutables) {
    const std::string folder = programFolder(QUORVEL_PROGRAM_DIR);
    EXPECT_TRUE(std::filesystem::is_directory(dataPath(folder, "zq")));
    EXPECT_TRUE(std::filesystem::is_directory(dataPath(folder, "kbs")));
    EXPECT_TRUE(std::filesystem::is_directory(dataPath(folder, "sound")));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(QUORVEL_TOOL)));
    EXPECT_EQ(std::filesystem::path(QUORVEL_TOOL).parent_path(),
              std::filesystem::path(folder).parent_path());
}
