// A save killed at any moment leaves the old file or the new one, and the next save clears
// away what the killed one left: for the statistics file and the settings file, both large.
#include "WordsTestSupport.h"

#include "base/Files.h"
#include "records/IniFile.h"
#include "records/Statistics.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace quorvel;
using quorvel::test::ScratchFolder;

namespace {

// Runs the save in a child process and kills it after a delay that may fall before, in the
// middle of or after the write. True when the child was killed before it finished.
bool saveAndKill(const std::function<void()>& save, std::chrono::microseconds delay) {
    const pid_t child = ::fork();
    if (child == 0) {
        save();
        ::_exit(0);
    }
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status);
}

std::size_t temporaries(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().filename().string().find(".tmp-") != std::string::npos ? 1 : 0;
    return count;
}

class KillDuringWrite : public ::testing::Test {
protected:
    ScratchFolder scratch;
    std::mt19937 random{20261207};
    static constexpr int kRounds = 6;

    std::chrono::microseconds someDelay() { return std::chrono::microseconds(random() % 40000); }
};

TEST_F(KillDuringWrite, StatisticsFileIsOldOrNew) {
    const std::string path = scratch.file("stats.zq");
    std::string line = "2003-05-17,W,13,0,37,25,D,V,T,\r\n";
    std::string old;
    while (old.size() < (24u << 20))
        old += line;
    writeWholeFile(path, old);
    int killed = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string added = "2026-12-07,F," + std::to_string(round) + ",0,0,16,n,n,n";
        killed += saveAndKill([&] { appendStatisticsLine(path, added); }, someDelay());
        const std::string now = readWholeFile(path);
        ASSERT_TRUE(now == old || now == old + added + "\r\n") << "round " << round;
        appendStatisticsLine(path, "2026-12-07,W,1,0,0,16,n,n,n");
        EXPECT_EQ(temporaries(scratch.folder()), 0u) << "round " << round;
        old = readWholeFile(path);
    }
    RecordProperty("killed", killed);
}

TEST_F(KillDuringWrite, SettingsFileIsOldOrNew) {
    const std::string path = scratch.file("RQN_ZQ.INI");
    std::string text = "[Options]\r\nLevel=1\r\n[Notes]\r\n";
    while (text.size() < (24u << 20))
        text += "Note=a long line the player keeps in the settings file\r\n";
    writeWholeFile(path, text);
    for (int round = 0; round < kRounds; ++round) {
        const std::string before = readWholeFile(path);
        const int level = IniFile(path).readInteger("Options", "Level", 0);
        saveAndKill(
            [&] {
                IniFile ini(path);
                ini.writeInteger("Options", "Level", level + 1);
            },
            someDelay());
        const std::string now = readWholeFile(path);
        const int read = IniFile(path).readInteger("Options", "Level", 0);
        ASSERT_TRUE(read == level || read == level + 1) << "round " << round;
        ASSERT_EQ(now.size(), before.size()) << "round " << round; // one digit, same length
        IniFile next(path);
        ASSERT_TRUE(next.writeInteger("Options", "Size", round % 3 + 1));
        EXPECT_EQ(temporaries(scratch.folder()), 0u) << "round " << round;
    }
}

} // namespace
