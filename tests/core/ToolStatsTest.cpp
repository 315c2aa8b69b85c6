// quorvel-tool stats: the window's counting of a statistics file as one JSON object.
#include "ToolRunSupport.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class ToolStatsTest : public ::testing::Test {
protected:
    TempProgramFolder dir;

    ToolRun stats(const std::string& options) {
        return runTool(dir, "stats " + shellQuoted(dir.path("zq/stats.zq")) + " " + options);
    }
};

TEST_F(ToolStatsTest, MissingFileCountsAsEmpty) {
    const ToolRun run = stats("");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "{\"played\":0,\"completed\":0,\"incomplete\":0,\"scale\":0,\"top\":\"0 -\","
                       "\"success\":\"0%\",\"buckets\":[]}\n");
}

TEST_F(ToolStatsTest, CountsByViewAndFilterInBucketOrder) {
    dir.write("zq/stats.zq", "2026-12-07,W,5,0,37,25,D,V,T,\r\n"
                             "2026-12-07,F,5,-1,0,16,n,n,n\r\n"
                             "not a game\r\n"
                             "2026-12-07,W,5,1,12,25,D,n,T,\r\n"
                             "2026-12-07,Q,3,0,4,16,n,R,n\r\n");
    std::vector<nlohmann::json> lines = stats("").jsonLines();
    ASSERT_EQ(lines.size(), 1u);
    nlohmann::json j = lines[0];
    EXPECT_EQ(j["played"], 4);
    EXPECT_EQ(j["completed"], 2);
    EXPECT_EQ(j["incomplete"], 2);
    EXPECT_EQ(j["scale"], 2);
    EXPECT_EQ(j["top"], "2 -");
    EXPECT_EQ(j["success"], "   50%");
    EXPECT_EQ(j["buckets"], nlohmann::json::parse("[[3,0,1],[5,2,1]]"));

    j = stats("--view score --definitions --timed").jsonLines().at(0);
    EXPECT_EQ(j["buckets"], nlohmann::json::parse("[[12,1,0],[37,1,0]]"));
    EXPECT_EQ(j["success"], "  100%");

    j = stats("--view letters --handicap easy").jsonLines().at(0);
    EXPECT_EQ(j["buckets"], nlohmann::json::parse("[[16,0,1]]"));

    j = stats("--locked --handicap neutral").jsonLines().at(0);
    EXPECT_EQ(j["played"], 2);
}

TEST_F(ToolStatsTest, WrongOptionOrUnreadableFileExitsWithAMessage) {
    ToolRun run = stats("--view weeks");
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(run.err.empty());
    run = runTool(dir, "stats " + shellQuoted(dir.path("zq")));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("Cannot open file"), std::string::npos);
}

} // namespace
} // namespace quorvel
