// quorvel-tool layouts: check a layouts file's checksum and levels, or fix its header's number.
#include "Tool.h"

#include "base/FilePaths.h"
#include "base/Files.h"
#include "model/Layouts.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace quorvel::tool {

namespace {

std::string readLayouts(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(filePath(path), error))
        throw ExitStatus{1, "The layouts file " + path + " is a folder, not a file."};
    if (!std::filesystem::exists(filePath(path), error))
        throw ExitStatus{1, "The layouts file " + path + " does not exist."};
    try {
        return readWholeFile(path);
    } catch (const FileError& error) {
        throw ExitStatus{1, error.what()};
    }
}

// Runs of 3 to 20 letters: the words a level's board will hold.
int wordCount(const LayoutRecord& layout) {
    const std::string pattern = lengthPattern(layout);
    int words = 0;
    for (char c : pattern)
        words += c != GapChar ? 1 : 0;
    return words;
}

// Every level kept is listed, then each one the game would refuse; status 3 for a checksum
// that does not match, else 4 when a level cannot be played.
void check(const std::string& path) {
    const std::string text = readLayouts(path);
    LevelTable table;
    const LayoutsLoad load = loadLayouts(text, table);
    if (!load.headerRead)
        throw ExitStatus{1, "The layouts file " + path +
                                " has no readable header (five characters, then the checksum)."};
    std::cout << "checksum expected=" << load.expected << " computed=" << load.computed << ' '
              << (load.checksumMatches() ? "ok" : "mismatch") << '\n';
    std::cout << "levels offered=" << table.levelCount << " read=" << load.levelsRead << '\n';
    const int kept = static_cast<int>(table.records.size()) - 1;
    std::vector<std::string> problems;
    for (int i = 1; i <= kept; ++i) {
        const LayoutRecord& r = table.at(i);
        std::cout << "level " << i << " columns=" << r.columns << " rows=" << r.rows
                  << " letters=" << r.letterTotal << " words=" << wordCount(r) << '\n';
        if (std::string problem = levelProblem(r, i); !problem.empty())
            problems.push_back(std::move(problem));
    }
    if (load.levelsRead > kept)
        problems.push_back("Levels after " + std::to_string(LevelTable::kMaxLevels) +
                           " cannot be offered: the file holds " + std::to_string(load.levelsRead) +
                           ".");
    for (const std::string& problem : problems)
        std::cout << "problem: " << problem << '\n';
    std::cout.flush();
    if (!load.checksumMatches())
        throw ExitStatus{3, ""};
    if (!problems.empty())
        throw ExitStatus{4, ""};
}

// Only the number after the header's first five characters changes; every other byte stays.
void fix(const std::string& path) {
    const std::string text = readLayouts(path);
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    if (end < 5)
        throw ExitStatus{1, "The layouts file " + path +
                                " has no header of at least five characters."};
    const long long sum = layoutsChecksum(text);
    // Built in place: a large file is held twice at most, never in passing copies.
    const std::string number = std::to_string(sum);
    std::string fixed;
    fixed.reserve(text.size() - end + 5 + number.size());
    fixed.append(text, 0, 5).append(number).append(text, end);
    try {
        writeWholeFile(path, fixed);
    } catch (const FileError& error) {
        throw ExitStatus{1, error.what()};
    }
    std::cout << "checksum computed=" << sum << " written\n";
}

} // namespace

void addLayoutCommands(CLI::App& app) {
    CLI::App* layouts = app.add_subcommand("layouts", "Check or fix a layouts file (zq/formats)");
    layouts->require_subcommand(1);

    static std::string checkPath, fixPath;
    CLI::App* checkCommand =
        layouts->add_subcommand("check", "Show the checksum, every level read and each level "
                                         "the game refuses (exit 3: checksum mismatch, 4: a "
                                         "level cannot be played)");
    checkCommand->add_option("FILE", checkPath, "The layouts file")->required();
    checkCommand->callback([] { check(checkPath); });

    CLI::App* fixCommand =
        layouts->add_subcommand("fix", "Rewrite the header's checksum so that it matches");
    fixCommand->add_option("FILE", fixPath, "The layouts file")->required();
    fixCommand->callback([] { fix(fixPath); });

    addLayoutParCommand(*layouts);
}

} // namespace quorvel::tool
