// The start-up trace, from /proc: no Qt, so that it can time Qt's own start.
#include "support/StartupTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace quorvel {

namespace {

using Clock = std::chrono::steady_clock;

// The first step traced counts as main(): main() traces before anything else.
Clock::time_point mainStart() {
    static const Clock::time_point start = Clock::now();
    return start;
}

// One "Key:   1234 kB" line of /proc/self/status.
long statusKb(const char* key) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    long kb = 0;
    const std::size_t keyLength = std::strlen(key);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':') {
            kb = std::strtol(line + keyLength + 1, nullptr, 10);
            break;
        }
    std::fclose(status);
    return kb;
}

} // namespace

bool startupTraceEnabled() {
    static const bool enabled = [] {
        const char* value = std::getenv("QUORVEL_STARTUP_TRACE");
        return value && *value && std::strcmp(value, "0") != 0;
    }();
    return enabled;
}

double msSinceProcessStart() {
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    if (!stat)
        return -1;
    char line[1024];
    const bool read = std::fgets(line, sizeof line, stat) != nullptr;
    std::fclose(stat);
    // The command name may hold spaces and brackets: the fields start after its last ')'.
    const char* field = read ? std::strrchr(line, ')') : nullptr;
    if (!field)
        return -1;
    // The start time is the 22nd field of the line, the 20th after the name.
    for (int skipped = 0; skipped < 20 && field; ++skipped)
        field = std::strchr(field + 1, ' ');
    if (!field)
        return -1;
    const double startTicks = std::strtod(field + 1, nullptr);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = static_cast<double>(now.tv_sec) * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long residentKb() { return statusKb("VmRSS"); }

long peakResidentKb() { return statusKb("VmHWM"); }

void traceStartupStep(const char* step) {
    if (!startupTraceEnabled())
        return;
    const double sinceMain =
        std::chrono::duration<double, std::milli>(Clock::now() - mainStart()).count();
    std::fprintf(stderr, "startup: %-28s %7.1f ms from start %7.1f ms from main %7.1f MB\n",
                 step, msSinceProcessStart(), sinceMain, static_cast<double>(residentKb()) / 1024.0);
}

} // namespace quorvel
