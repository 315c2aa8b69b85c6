// quorvel-tool: each family of subcommands registers itself on the command line here.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace quorvel::tool {

// The tool's own folder (with one trailing '/'), the default program folder for its commands.
const std::string& toolFolder();

// A subcommand ends with this exit status; the message (if any) goes to standard error alone.
struct ExitStatus {
    int code;
    std::string message;
};

void addDictionaryCommands(CLI::App& app);   // dic dump, dic build, wordlists
void addLayoutCommands(CLI::App& app);       // layouts check, layouts fix, layouts par
void addLayoutParCommand(CLI::App& layouts); // layouts par
void addPlayCommand(CLI::App& app);          // play
void addDailyCommand(CLI::App& app);         // daily
void addStatsCommand(CLI::App& app);         // stats

} // namespace quorvel::tool
