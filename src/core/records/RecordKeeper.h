// Game records (statistics lines, daily results) written at once, or kept until they can be.
#pragma once

#include "records/DailyRecords.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A record that cannot be written (a full disk, a file taken away) is kept in memory and tried
// again, in the order it came, before the next record and whenever retry() is asked; nothing
// the player earned is dropped without a word.
class RecordKeeper {
public:
    // How records reach their files; tests put in writers that fail.
    struct Writers {
        std::function<void(const std::string& path, std::string_view line)> statistics;
        std::function<DailyAdded(const std::string& path, const DailyResult& result)> daily;
    };
    // The real files: appendStatisticsLine and addDailyResult.
    static Writers fileWriters();

    explicit RecordKeeper(Writers writers = fileWriters()) : m_writers(std::move(writers)) {}

    // What became of a record: written (with the daily file's answer), or kept waiting with
    // the reason it could not be written, naming the file.
    struct Outcome {
        bool isPending = false;
        std::string problem;                      // when pending
        DailyAdded daily = DailyAdded::Added;     // a daily result that was written
    };
    Outcome addStatisticsLine(const std::string& path, std::string line);
    Outcome addDailyResult(const std::string& path, const DailyResult& result);

    // Tries every waiting record again; the first problem still standing, or nothing.
    std::optional<std::string> retry();
    bool hasPending() const { return !m_pending.empty(); }
    std::size_t pendingCount() const { return m_pending.size(); }

    // Beyond this many waiting records the oldest are given up: a disk that never comes back
    // must not take the game's memory.
    static constexpr std::size_t MaxPending = 10000;

private:
    struct Pending {
        std::string path;
        std::optional<std::string> line;        // a statistics line
        std::optional<DailyResult> dailyResult; // or a daily result
    };
    // Writes one record; the problem when it failed.
    std::optional<std::string> write(const Pending& record, DailyAdded* daily);
    Outcome add(Pending record);

    Writers m_writers;
    std::deque<Pending> m_pending;
};

} // namespace quorvel
