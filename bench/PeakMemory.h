// The peak memory of a program run in a process of its own, for the memory benchmarks and
// tests: what one command costs, unmixed with what the measuring process already holds.
#pragma once

#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::measure {

struct Run {
    int status = -1;        // exit status, or -1 when the program did not exit normally
    long peakKilobytes = 0; // the largest resident set the program reached
};

// Runs the program with its output thrown away, reading inputFile when one is named. A non-zero
// address-space limit (bytes) stops a program that would otherwise take the machine's memory.
inline Run runMeasured(const std::vector<std::string>& arguments, long long limitBytes = 0,
                       const std::string& inputFile = {}) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        if (!inputFile.empty())
            ::dup2(::open(inputFile.c_str(), O_RDONLY), 0);
        if (limitBytes > 0) {
            const rlimit limit{static_cast<rlim_t>(limitBytes), static_cast<rlim_t>(limitBytes)};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Run run;
    int status = 0;
    rusage usage{};
    if (child > 0 && ::wait4(child, &status, 0, &usage) == child) {
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.peakKilobytes = usage.ru_maxrss;
    }
    return run;
}

} // namespace quorvel::measure
