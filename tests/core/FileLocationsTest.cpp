// The player's files move to their own folder when the program folder is read-only or installed.
#include "base/FileLocations.h"
#include "base/ProgramFolder.h"
#include "base/Files.h"
#include "base/SystemCalls.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using quorvel::FileLocations;

namespace {

class FileLocationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               (std::string("quorvel-locations-") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                std::to_string(quorvel::currentProcessId()));
        fs::remove_all(root);
        fs::create_directories(root / "program" / "zq");
        program = (root / "program").string() + "/";
        player = (root / "home" / "Quorvel").string() + "/";
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
    std::string program;
    std::string player;
};

} // namespace

TEST_F(FileLocationsTest, AWritableProgramFolderKeepsEverythingThere) {
    const FileLocations files = FileLocations::choose(program, player);
    EXPECT_FALSE(files.keepsPlayerFilesApart());
    EXPECT_EQ(files.toWrite("zq/stats.zq"), program + "zq/stats.zq");
    EXPECT_EQ(files.toRead("RQN_ZQ.INI"), program + "RQN_ZQ.INI");
    EXPECT_FALSE(fs::exists(player));
}

TEST_F(FileLocationsTest, PlayerCopiesAreReadFirstAndShippedOnesAreTheFallback) {
    quorvel::writeWholeFile(program + "zq/W3", "CATDOG");
    const FileLocations files(program, player);
    EXPECT_EQ(files.toRead("zq/W3"), program + "zq/W3");
    EXPECT_EQ(files.shipped("zq/formats"), program + "zq/formats");

    const std::string written = files.toWrite("zq/W3");
    EXPECT_EQ(written, player + "zq/W3");
    // The first write starts from the shipped copy, so an append keeps the history.
    EXPECT_EQ(quorvel::readWholeFile(written), "CATDOG");
    quorvel::writeWholeFile(written, "EEL");
    EXPECT_EQ(files.toRead("zq/W3"), player + "zq/W3");
    EXPECT_EQ(quorvel::readWholeFile(program + "zq/W3"), "CATDOG");
}

TEST_F(FileLocationsTest, AReadOnlyProgramFolderSendsWritesToThePlayer) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows' read-only mark on a folder does not stop files being made in it, "
                    "and its access lists are out of std::filesystem's reach";
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
#endif
    fs::permissions(program, fs::perms::owner_write, fs::perm_options::remove);
    const FileLocations files = FileLocations::choose(program, player);
    fs::permissions(program, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(files.keepsPlayerFilesApart());
    EXPECT_EQ(files.toWrite("RQN_ZQ.INI"), player + "RQN_ZQ.INI");
}

// Root may write anywhere, so an installed game must not judge by permissions: its marker
// alone sends every write to the player, and the shipped copies stay untouched.
TEST_F(FileLocationsTest, AnInstalledGameWritesToThePlayerEvenWhereItMayWriteBesideItself) {
    quorvel::writeWholeFile(quorvel::dataPath(program, quorvel::kInstalledMarker), "installed\n");
    quorvel::writeWholeFile(program + "zq/W3", "CATDOG");
    const FileLocations files = FileLocations::choose(program, player);
    EXPECT_TRUE(files.keepsPlayerFilesApart());
    EXPECT_EQ(files.toWrite("RQN_ZQ.INI"), player + "RQN_ZQ.INI");
    EXPECT_EQ(files.toWrite("zq/W3"), player + "zq/W3");
    EXPECT_FALSE(fs::exists(program + "RQN_ZQ.INI"));
    EXPECT_EQ(quorvel::readWholeFile(program + "zq/W3"), "CATDOG");
}
