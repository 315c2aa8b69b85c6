// Runs a command line from a test through the system's shell (sh, or cmd.exe on Windows) and
// reads its standard output as bytes.
#pragma once

#include <cstdio>
#include <string>

#ifdef _WIN32
#include "base/FilePaths.h"
#else
#include <sys/wait.h>
#endif

namespace quorvel {

// One argument on the shell's command line: sh's single quotes, cmd.exe's double quotes.
inline std::string shellQuoted(const std::string& text) {
#ifdef _WIN32
    return "\"" + text + "\"";
#else
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
#endif
}

struct CommandOutput {
    int status = -1; // the exit status, or -1 when the command did not run or end normally
    std::string out;
};

inline CommandOutput runCommand(const std::string& command) {
    CommandOutput result;
#ifdef _WIN32
    // cmd.exe /c drops the first and the last quote of a line that starts with one: a pair
    // around the whole line keeps the command as written. The line goes as UTF-16.
    FILE* pipe = ::_wpopen(filePath("\"" + command + "\"").c_str(), L"rb");
#else
    FILE* pipe = popen(command.c_str(), "r");
#endif
    if (!pipe)
        return result;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, got);
#ifdef _WIN32
    result.status = ::_pclose(pipe);
#else
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    return result;
}

} // namespace quorvel
