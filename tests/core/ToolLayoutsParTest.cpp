// quorvel-tool layouts par: every level played by a player who knows the answer.
#include "EngineTestSupport.h"
#include "ToolRunSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace quorvel {
namespace {

// The key=value fields of one output line ("level 2 letters=14 ... margin=120% ...");
// a key given twice (moves, minimum, margin, advanced: neutral, then hardest) gets "2".
std::map<std::string, std::string> fields(const std::string& line) {
    std::map<std::string, std::string> found;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        const std::size_t eq = word.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = word.substr(0, eq);
        if (found.count(key))
            key += "2";
        found[key] = word.substr(eq + 1);
    }
    return found;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

class ToolLayoutsParTest : public ::testing::Test {
protected:
    TempProgramFolder dir;

    void SetUp() override {
        std::filesystem::create_directories(dir.path("kbs"));
        dir.writeDictionary("Common Words", generatedWords());
    }

    ToolRun par(const std::string& body, const std::string& options = "--seeds 4") {
        dir.write("formats", layoutsFile(body));
        return runTool(dir, "layouts par " + shellQuoted(dir.path("formats")) + " --root " +
                                shellQuoted(dir.folder()) + " " + options);
    }
};

TEST_F(ToolLayoutsParTest, SmallLevelsAreWonWithMovesToSpareAtBothHandicaps) {
    const ToolRun run = par("0404\r\n\r\nXXXX-XXX\r\nXXX-XXXX\r\nXXXXXXXX\r\n\r\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 3u) << run.out;
    auto first = fields(out[0]);
    EXPECT_EQ(out[0].rfind("level 1 ", 0), 0u);
    EXPECT_EQ(first["letters"], "16");
    // 4 x 4 at the neutral handicap: start 32, minimum 32 div 5; at the hardest 16 div 4.
    EXPECT_EQ(first["minimum"], "6");
    EXPECT_EQ(first["minimum2"], "4");
    EXPECT_EQ(first["advanced"], "4");
    EXPECT_EQ(first["advanced2"], "4");
    // Locking every letter costs nothing in the end: each word pays its letters back, and a
    // padlock on a whole word pays more than it costs, so the shifts are the only loss, and
    // the padlock's surplus (k - 2 on a word of k free letters) the only gain.
    EXPECT_LT(std::stod(first["moves"]), 32.0 + 16) << run.out;
    EXPECT_GE(std::stod(first["moves"]), 32.0 - std::stod(first["shifts"]));
    EXPECT_EQ(fields(out[1])["letters"], "22");
    EXPECT_EQ(out[2].rfind("summary levels=2 seeds=4 neutral min margin=", 0), 0u) << out[2];
}

TEST_F(ToolLayoutsParTest, TheSameSeedsGiveTheSameReport) {
    const std::string body = "0606\r\n0707\r\n";
    const ToolRun a = par(body, "--seeds 3");
    const ToolRun b = par(body, "--seeds 3");
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(par(body, "--seeds 5").out, a.out);
}

TEST_F(ToolLayoutsParTest, ALevelTooBigForTheCounterIsReportedAsLost) {
    // 12 x 20 = 240 letters: the neutral minimum is 96 while the counter stops at 100.
    const ToolRun run = par("1220\r\n", "--seeds 2");
    ASSERT_EQ(run.status, 0) << run.err;
    auto level = fields(lines(run.out)[0]);
    EXPECT_EQ(level["minimum"], "96");
    EXPECT_EQ(level["advanced"], "0");
    EXPECT_LT(std::stoi(level["margin"]), 0);
}

TEST_F(ToolLayoutsParTest, AWordlessLevelHasNoPuzzleAndCountsAsLost) {
    const ToolRun run = par("0404\r\n2516\r\n", "--seeds 2");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1], "level 2 letters=400 rows=16 no puzzle");
    EXPECT_NE(out[2].find("neutral min margin=-100% at level 2"), std::string::npos) << out[2];
}

TEST_F(ToolLayoutsParTest, BadInputExitsOneWithAMessage) {
    ToolRun run = runTool(dir, "layouts par " + shellQuoted(dir.path("none")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("does not exist"), std::string::npos);
    run = par("0404\r\n", "--seeds 0");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("--seeds"), std::string::npos);
    run = par("0404\r\n", "--dictionary Nothing");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Nothing.dic"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
}

} // namespace
} // namespace quorvel
