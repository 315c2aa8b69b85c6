// The daily records file, its streaks and the shared summary.
#include "records/DailyRecords.h"

namespace quorvel {

std::vector<DailyRecord> parseDailyRecords(std::string_view /*text*/) {
    return {};
}

std::string formatDailyRecord(const DailyRecord& /*record*/) {
    return {};
}

std::vector<DailyRecord> readDailyRecords(const std::string& /*path*/) {
    return {};
}

bool addDailyResult(const std::string& /*path*/, const DailyResult& /*result*/) {
    return false;
}

DailyStreaks dailyStreaks(const std::vector<DailyRecord>& /*records*/, const CivilDate& /*today*/) {
    return {};
}

std::string dailySummary(const DailyResult& /*result*/) {
    return {};
}

} // namespace quorvel
