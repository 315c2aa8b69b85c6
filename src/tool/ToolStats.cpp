// quorvel-tool stats: the statistics window's counting of a statistics file, as one JSON object.
#include "Tool.h"

#include "base/Files.h"
#include "records/StatisticsHistogram.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <map>

namespace quorvel::tool {

namespace {

struct StatsArgs {
    std::string path;
    std::string view = "levels";
    std::string handicap = "overall";
    bool definitions = false;
    bool locked = false;
    bool timed = false;
};

const std::map<std::string, StatisticsView> kViews = {{"levels", StatisticsView::Levels},
                                                      {"letters", StatisticsView::Letters},
                                                      {"score", StatisticsView::Score}};
const std::map<std::string, HandicapFilter> kHandicaps = {{"easy", HandicapFilter::Easy},
                                                          {"neutral", HandicapFilter::Neutral},
                                                          {"harder", HandicapFilter::Harder},
                                                          {"overall", HandicapFilter::Overall}};

void printStats(const StatsArgs& args) {
    StatisticsFilter filter;
    filter.view = kViews.at(args.view);
    filter.handicap = kHandicaps.at(args.handicap);
    filter.withDefinitions = args.definitions;
    filter.withLockedLetters = args.locked;
    filter.timedGames = args.timed;
    StatisticsCount count;
    try {
        count = countStatisticsFile(args.path, filter);
    } catch (const FileError& error) {
        throw ExitStatus{1, error.what()};
    }
    nlohmann::ordered_json buckets = nlohmann::ordered_json::array();
    for (int b = 1; b <= kStatisticsBuckets; ++b) {
        const BucketCount c = count.bucket(b);
        if (c.wins > 0 || c.losses > 0)
            buckets.push_back({b, c.wins, c.losses});
    }
    const nlohmann::ordered_json out = {
        {"played", count.played}, {"completed", count.completed}, {"incomplete", count.incomplete},
        {"scale", count.scale},   {"top", count.topText()},       {"success", count.successText()},
        {"buckets", buckets}};
    std::cout << out.dump() << '\n';
}

} // namespace

void addStatsCommand(CLI::App& app) {
    static StatsArgs args;
    CLI::App* cmd = app.add_subcommand(
        "stats", "Count a statistics file (zq/stats.zq) as the Statistics window does");
    cmd->add_option("FILE", args.path, "The statistics file (a missing file counts as empty)")
        ->required();
    cmd->add_option("--view", args.view, "Show by levels, letters or score (default levels)")
        ->check(CLI::IsMember({"levels", "letters", "score"}));
    cmd->add_option("--handicap", args.handicap,
                    "Only games of this handicap: easy, neutral, harder or overall (default)")
        ->check(CLI::IsMember({"easy", "neutral", "harder", "overall"}));
    cmd->add_flag("--definitions", args.definitions, "Only games played with definitions");
    cmd->add_flag("--locked", args.locked, "Only games played with locked letters");
    cmd->add_flag("--timed", args.timed, "Only timed games");
    cmd->callback([] { printStats(args); });
}

} // namespace quorvel::tool
