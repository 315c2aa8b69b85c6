// A save killed at any moment leaves the old file or the new one, and the next save clears
// away what the killed one left: for the statistics file and the settings file, both large.
#include "ChildProcessSupport.h"
#include "WordsTestSupport.h"

#include "base/Files.h"
#include "records/IniFile.h"
#include "records/Statistics.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <thread>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace quorvel;
using quorvel::test::ScratchFolder;

namespace {

// The saves a child process is killed in: a statistics line appended, the level setting written.
void appendLine(const std::string& path, const std::string& line) {
    appendStatisticsLine(path, line);
}

void writeLevel(const std::string& path, int level) {
    IniFile ini(path);
    ini.writeInteger("Options", "Level", level);
}

#ifdef _WIN32

// The child is the test program again (ChildProcessSupport.h); the job's text is
// "<path>\n<line or level>".
std::pair<std::string, std::string> pathAndValue(const std::string& job) {
    const std::size_t split = job.find('\n');
    return {job.substr(0, split), job.substr(split + 1)};
}
const bool g_jobsRegistered =
    test::registerChildJob("append",
                           [](const std::string& job) {
                               const auto [path, line] = pathAndValue(job);
                               appendLine(path, line);
                           }) &&
    test::registerChildJob("level", [](const std::string& job) {
        const auto [path, level] = pathAndValue(job);
        writeLevel(path, std::stoi(level));
    });

// Runs the save in a child process and kills it after a delay, counted from the moment the
// child begins to save, that may fall before, in the middle of or after the write. True when
// the child was killed before it finished.
bool saveAndKill(const std::string& job, const std::string& path, const std::string& value,
                 std::chrono::microseconds delay) {
    test::ChildProcess child(job, path + "\n" + value);
    std::this_thread::sleep_for(delay);
    return child.kill();
}

#else

bool saveAndKill(const std::string& job, const std::string& path, const std::string& value,
                 std::chrono::microseconds delay) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (job == "append")
            appendLine(path, value);
        else
            writeLevel(path, std::stoi(value));
        ::_exit(0);
    }
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status);
}

#endif

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
        killed += saveAndKill("append", path, added, someDelay());
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
        saveAndKill("level", path, std::to_string(level + 1), someDelay());
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
