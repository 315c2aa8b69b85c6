// The program folder ends in exactly one separator and data paths hang off it.
#include "base/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

// An installed game finds its data along the path from its own folder that the build compiled
// in, and only where the install step left its marker; anything else runs from its own folder.
TEST(ProgramFolder, TheInstalledDataFolderIsUsedOnlyWhenMarked) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "quorvel-program-folder";
    fs::remove_all(root);
    fs::create_directories(root / "games");
    fs::create_directories(root / "share/games/quorvel");
    const std::string games = (root / "games").string();
    // Normal form, as the game names it: on Windows every separator is then a backslash.
    const std::string data = (root / "share/games/quorvel").lexically_normal().string() + "/";
    const std::string relative = "../share/games/quorvel";

    EXPECT_EQ(quorvel::locateProgramFolder(games, relative), games + "/");
    fs::create_directory(quorvel::dataPath(data, quorvel::kInstalledMarker));
    EXPECT_EQ(quorvel::locateProgramFolder(games, relative), games + "/"); // a folder is no marker
    fs::remove(quorvel::dataPath(data, quorvel::kInstalledMarker));

    std::ofstream(quorvel::dataPath(data, quorvel::kInstalledMarker)) << "installed\n";
    EXPECT_EQ(quorvel::locateProgramFolder(games, relative), data);
    EXPECT_EQ(quorvel::locateProgramFolder(games + "/", relative), data);
    EXPECT_EQ(quorvel::locateProgramFolder(games, ""), games + "/");
    EXPECT_TRUE(quorvel::isInstalledCopy(data));
    EXPECT_FALSE(quorvel::isInstalledCopy(games));
    fs::remove_all(root);
}

TEST(ProgramFolder, TheBuildFolderRunsFromItsOwnFolder) {
    const std::string folder = programFolder(QUORVEL_PROGRAM_DIR);
    EXPECT_EQ(quorvel::locateProgramFolder(folder), folder);
    EXPECT_FALSE(quorvel::isInstalledCopy(folder));
}
