// Records shared by several writers and kept through failures: parallel writers lose no line, a
// write that fails waits in memory until it can be made, and the daily file says only the truth.
#include "ChildProcessSupport.h"
#include "ToolRunSupport.h"

#include "base/Files.h"
#include "records/DailyRecords.h"
#include "records/RecordKeeper.h"
#include "records/Statistics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quorvel {
namespace {

std::size_t lineCount(const std::string& text) {
    std::size_t lines = 0;
    for (const char c : text)
        lines += c == '\n';
    return lines;
}

// A job of a writer process: "<kind>\n<path>\n<writer>".
void runWriterJob(const std::string& kind, const std::string& path, int writer);

#ifdef _WIN32

// Windows has no fork(): each writer is the test program started again (ChildProcessSupport.h).
using Writers = std::vector<std::unique_ptr<test::ChildProcess>>;

const bool g_writerJobRegistered = test::registerChildJob("writer", [](const std::string& job) {
    const std::size_t first = job.find('\n');
    const std::size_t second = job.find('\n', first + 1);
    try {
        runWriterJob(job.substr(0, first), job.substr(first + 1, second - first - 1),
                     std::stoi(job.substr(second + 1)));
    } catch (...) {
        std::_Exit(1);
    }
});

Writers startWriters(int writers, const std::string& kind, const std::string& path) {
    Writers children;
    for (int writer = 0; writer < writers; ++writer)
        children.push_back(std::make_unique<test::ChildProcess>(
            "writer", kind + "\n" + path + "\n" + std::to_string(writer)));
    return children;
}

int failedChildren(Writers& children) {
    int failed = 0;
    for (auto& child : children)
        failed += child->wait() != 0;
    return failed;
}

// The tool runs, each on a thread of its own so that they run side by side.
void runToolsSideBySide(const std::vector<std::string>& commands) {
    std::vector<std::thread> runs;
    for (const std::string& command : commands)
        runs.emplace_back([command] { std::system(command.c_str()); });
    for (std::thread& run : runs)
        run.join();
}

#else

// Forks `writers` processes that each run the job; waits for none of them.
using Writers = std::vector<pid_t>;

Writers startWriters(int writers, const std::string& kind, const std::string& path) {
    Writers children;
    for (int writer = 0; writer < writers; ++writer) {
        const pid_t child = ::fork();
        if (child == 0) {
            int status = 0;
            try {
                runWriterJob(kind, path, writer);
            } catch (...) {
                status = 1;
            }
            ::_exit(status);
        }
        children.push_back(child);
    }
    return children;
}

int failedChildren(const Writers& children) {
    int failed = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        failed += !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    }
    return failed;
}

#endif

// Five statistics lines, or five daily results on days of the writer's own.
void runWriterJob(const std::string& kind, const std::string& path, int writer) {
    if (kind == "statistics") {
        for (int game = 0; game < 5; ++game)
            appendStatisticsLine(path, "2026-12-07,W," + std::to_string(writer + 1) + ",0,9,16,n,n,n");
        return;
    }
    const int firstDay = dayNumberOf({2026, 1, 1});
    for (int day = 0; day < 5; ++day) {
        DailyResult result;
        result.date = dateOfDayNumber(firstDay + writer * 5 + day);
        result.result = 'W';
        if (addDailyResult(path, result) != DailyAdded::Added)
            throw std::runtime_error("not added");
    }
}

class ParallelWritersTest : public ToolPlayFixture {
protected:
    void SetUp() override { setUpFolder("0404\r\n\r\nXXX-XXX\r\nXXXXXXX\r\n\r\n"); }
};

// 20 headless games and 20 other programs, 5 games each, on one statistics file: every line is
// there, whole. Unlocked read-and-replace writers once kept barely half of them.
TEST_F(ParallelWritersTest, TwentyToolRunsAndTwentyWritersKeepAllTwoHundredLines) {
    std::string fiveGames = "new\n";
    for (int game = 0; game < 5; ++game)
        fiveGames += "shift 1 down\nnew\n";
    root.write("fivegames.txt", fiveGames);
    const std::string stats = root.path("zq/stats.zq");
    auto children = startWriters(20, "statistics", stats);
#ifdef _WIN32
    std::vector<std::string> tools;
    for (int run = 1; run <= 20; ++run)
        tools.push_back("\"" + shellQuoted(QUORVEL_TOOL) + " play --seed " + std::to_string(run) +
                        " --root " + shellQuoted(root.folder()) + " <" +
                        shellQuoted(root.path("fivegames.txt")) + " >NUL 2>>" +
                        shellQuoted(root.path("errors" + std::to_string(run) + ".txt")) + "\"");
    runToolsSideBySide(tools);
    std::string errors;
    for (int run = 1; run <= 20; ++run)
        errors += root.read("errors" + std::to_string(run) + ".txt");
    EXPECT_EQ(errors, "");
#else
    std::string tools;
    for (int run = 1; run <= 20; ++run)
        tools += shellQuoted(QUORVEL_TOOL) + " play --seed " + std::to_string(run) + " --root " +
                 shellQuoted(root.folder()) + " <" + shellQuoted(root.path("fivegames.txt")) +
                 " >/dev/null 2>>" + shellQuoted(root.path("errors.txt")) + " & ";
    ASSERT_EQ(std::system((tools + "wait").c_str()), 0);
    EXPECT_EQ(root.read("errors.txt"), "");
#endif
    EXPECT_EQ(failedChildren(children), 0);
    const std::string text = root.read("zq/stats.zq");
    EXPECT_EQ(lineCount(text), 200u);
    EXPECT_EQ(readStatistics(text).size(), 200u);
}

TEST(DailyRecordsUnderLock, FortyWritersOfFiveDaysKeepAllTwoHundred) {
    TempProgramFolder dir;
    const std::string path = dir.path("zq/daily.txt");
    auto children = startWriters(40, "daily", path);
    EXPECT_EQ(failedChildren(children), 0);
    EXPECT_EQ(readDailyRecords(path).size(), 200u);
}

// A line cut short by a crash is closed before the next one, and a write that fails (here: the
// file is a folder) says which file and why.
TEST(StatisticsAppend, AnUnfinishedLastLineIsClosedAndFailuresNameTheFile) {
    TempProgramFolder dir;
    dir.write("zq/stats.zq", "2026-12-01,W,1,0,5,16,n,n,n\r\n2026-12-02,W,1,0");
    appendStatisticsLine(dir.path("zq/stats.zq"), "2026-12-03,F,2,0,0,16,n,n,n");
    EXPECT_EQ(dir.read("zq/stats.zq"), "2026-12-01,W,1,0,5,16,n,n,n\r\n2026-12-02,W,1,0\r\n"
                                       "2026-12-03,F,2,0,0,16,n,n,n\r\n");
    std::filesystem::create_directory(dir.path("zq/folder.zq"));
    try {
        appendStatisticsLine(dir.path("zq/folder.zq"), "x");
        FAIL() << "a folder took a line";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("zq/folder.zq: "), std::string::npos);
    }
}

TEST(DailyRecordsLineEnds, LoneCarriageReturnsEndLines) {
    const auto records = parseDailyRecords("2026-12-01,W,5,0\r2026-12-02,F,0,1\r\r\n2026-12-03,W,1,0");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1], (DailyRecord{{2026, 12, 2}, 'F', 0, 1}));
    TempProgramFolder dir;
    dir.write("zq/daily.txt", "2026-12-01,W,5,0\r");
    DailyResult today;
    today.date = {2026, 12, 1};
    EXPECT_EQ(addDailyResult(dir.path("zq/daily.txt"), today), DailyAdded::DayPlayed);
}

// Writers that fail until told otherwise, counting what reached them.
struct FlakyFiles {
    bool full = false;
    std::vector<std::string> written;

    RecordKeeper::Writers writers() {
        return {[this](const std::string& path, std::string_view line) {
                    if (full)
                        throw FileError("Cannot write file " + path + ": No space left on device");
                    written.push_back(path + ":" + std::string(line));
                },
                [this](const std::string& path, const DailyResult& result) {
                    if (full)
                        throw FileError("Cannot create file " + path + ": No space left on device");
                    written.push_back(path + ":" + isoDate(result.date));
                    return DailyAdded::Added;
                }};
    }
};

TEST(RecordKeeper, ARecordThatCannotBeWrittenWaitsAndGoesFirstWhenSpaceReturns) {
    FlakyFiles files;
    RecordKeeper keeper(files.writers());
    EXPECT_FALSE(keeper.addStatisticsLine("stats", "one").isPending);
    files.full = true;
    const RecordKeeper::Outcome failed = keeper.addStatisticsLine("stats", "two");
    EXPECT_TRUE(failed.isPending);
    EXPECT_EQ(failed.problem, "Cannot write file stats: No space left on device");
    DailyResult daily;
    daily.date = {2026, 12, 7};
    EXPECT_TRUE(keeper.addDailyResult("daily", daily).isPending);
    EXPECT_EQ(keeper.pendingCount(), 2u);
    EXPECT_TRUE(keeper.retry().has_value()); // still full: nothing lost, nothing written
    EXPECT_EQ(keeper.pendingCount(), 2u);

    files.full = false;
    EXPECT_FALSE(keeper.addStatisticsLine("stats", "three").isPending);
    EXPECT_FALSE(keeper.hasPending());
    EXPECT_EQ(files.written, (std::vector<std::string>{"stats:one", "stats:two", "daily:2026-12-07",
                                                       "stats:three"}));
}

TEST(RecordKeeper, RealFilesWaitBehindAFolderInTheWayAndLandInOrder) {
    TempProgramFolder dir;
    const std::string stats = dir.path("zq/stats.zq");
    std::filesystem::create_directory(stats); // no line can be appended to a folder
    RecordKeeper keeper;
    EXPECT_TRUE(keeper.addStatisticsLine(stats, "2026-12-01,W,1,0,5,16,n,n,n").isPending);
    EXPECT_TRUE(keeper.addStatisticsLine(stats, "2026-12-02,F,1,0,0,16,n,n,n").isPending);
    std::filesystem::remove(stats);
    EXPECT_FALSE(keeper.retry().has_value());
    EXPECT_EQ(dir.read("zq/stats.zq"),
              "2026-12-01,W,1,0,5,16,n,n,n\r\n2026-12-02,F,1,0,0,16,n,n,n\r\n");
}

} // namespace
} // namespace quorvel
