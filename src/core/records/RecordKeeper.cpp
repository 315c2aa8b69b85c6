// Writing game records in order, keeping those that cannot be written until they can.
#include "records/RecordKeeper.h"

#include "records/Statistics.h"

#include <algorithm>
#include <exception>
#include <set>

namespace quorvel {

RecordKeeper::Writers RecordKeeper::fileWriters() {
    return {[](const std::string& path, std::string_view line) {
                appendStatisticsLine(path, line);
            },
            [](const std::string& path, const DailyResult& result) {
                return quorvel::addDailyResult(path, result);
            }};
}

std::optional<std::string> RecordKeeper::write(const Pending& record, DailyAdded* daily) {
    try {
        if (record.line) {
            m_writers.statistics(record.path, *record.line);
        } else {
            const DailyAdded added = m_writers.daily(record.path, *record.dailyResult);
            if (daily)
                *daily = added;
        }
        return std::nullopt;
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
}

std::optional<std::string> RecordKeeper::retry() {
    // A file that failed keeps the rest of its records waiting behind it, so its lines still
    // land in the order the games ended.
    std::set<std::string> failed;
    std::optional<std::string> firstProblem;
    std::deque<Pending> waiting;
    for (Pending& record : m_pending) {
        if (failed.count(record.path) == 0) {
            const std::optional<std::string> problem = write(record, nullptr);
            if (!problem)
                continue;
            failed.insert(record.path);
            if (!firstProblem)
                firstProblem = problem;
        }
        waiting.push_back(std::move(record));
    }
    m_pending = std::move(waiting);
    return firstProblem;
}

RecordKeeper::Outcome RecordKeeper::add(Pending record) {
    const std::optional<std::string> earlier = retry(); // the older records go first
    const bool behindOthers = std::any_of(m_pending.begin(), m_pending.end(),
                                          [&](const Pending& p) { return p.path == record.path; });
    Outcome outcome;
    const std::optional<std::string> problem = behindOthers ? earlier : write(record, &outcome.daily);
    if (!behindOthers && !problem)
        return outcome;
    outcome.isPending = true;
    outcome.problem = problem.value_or("Cannot write file " + record.path);
    m_pending.push_back(std::move(record));
    while (m_pending.size() > MaxPending)
        m_pending.pop_front();
    return outcome;
}

RecordKeeper::Outcome RecordKeeper::addStatisticsLine(const std::string& path, std::string line) {
    return add({path, std::move(line), std::nullopt});
}

RecordKeeper::Outcome RecordKeeper::addDailyResult(const std::string& path,
                                                   const DailyResult& result) {
    return add({path, std::nullopt, result});
}

} // namespace quorvel
