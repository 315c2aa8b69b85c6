// Shared puzzles: a code's board, the day's board, and the data both are checked against.
#include "rules/SharedPuzzle.h"

#include "rules/NewPuzzle.h"

#include "base/FilePaths.h"
#include "base/Files.h"

#include <algorithm>
#include <system_error>

namespace quorvel {

namespace {

// The layout as bytes, for its check: every field that shapes a board.
std::string layoutBytes(const LayoutRecord& layout) {
    std::string bytes = std::to_string(layout.columns) + ',' + std::to_string(layout.rows) + ',' +
                        std::to_string(layout.letterTotal) + ',' + (layout.numeric ? 'n' : 'd');
    for (int r = 1; r <= 20; ++r) {
        bytes += '|';
        bytes += layout.row(r);
    }
    return bytes;
}

// The file's check, read again only when its size or time changed since the last reading.
std::uint32_t dictionaryFileCheck(Play& p, const std::string& name) {
    const std::string path = p.folder + "kbs/" + name + ".dic";
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(filePath(path), error);
    const auto written = std::filesystem::last_write_time(filePath(path), error);
    if (error)
        return dataCheckOf({});
    auto& cached = p.puzzles.dictionaryChecks[name];
    if (cached.size == size && cached.written == written && cached.check != 0)
        return cached.check;
    std::uint32_t check = 0;
    try {
        check = dataCheckOf(readWholeFile(path));
    } catch (const FileError&) {
        check = dataCheckOf({});
    }
    cached = {size, written, check};
    return check;
}

// A fixed mixing of 32 bits (the finaliser of MurmurHash3): neighbouring days give unrelated
// seeds.
std::uint32_t mixed(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x85EBCA6Bu;
    x ^= x >> 13;
    x *= 0xC2B2AE35u;
    x ^= x >> 16;
    return x;
}

// Monday (0) draws from the easiest fifth of the levels; each later weekday's fifth starts
// higher, until Sunday (6) draws from the hardest.
int dailyLevel(std::uint32_t mix, int weekday, int levelCount) {
    const int band = std::max(1, levelCount / 5);
    const int first = 1 + (levelCount - band) * weekday / 6;
    return first + static_cast<int>(mix % static_cast<std::uint32_t>(band));
}

} // namespace

GameOptions optionsInForce(const GameOptions& player, const GameState& state) {
    GameOptions options = player;
    if (state.puzzleOwnOptions) {
        options.dictionary = state.puzzle.dictionary;
        options.handicap = state.puzzle.handicap;
        options.lock = state.puzzle.lock;
        options.timed = state.puzzle.timed;
    }
    return options;
}

void refreshOptions(Play& p) {
    p.options = optionsInForce(p.playerOptions, p.state);
}

std::vector<std::string> installedDictionaries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(filePath(folder + "kbs"), error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() == ".dic" && it->is_regular_file(error))
            names.push_back(pathText(path.stem()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

void rememberLoadedDictionary(Play& p, const std::string& dictionary) {
    p.puzzles.loadedName = dictionary;
    p.puzzles.loadedCheck = dictionaryFileCheck(p, dictionary);
}

std::uint32_t puzzleDataCheck(Play& p, const std::string& dictionary, int level) {
    const bool inMemory =
        dictionary == p.state.loadedDictionary && dictionary == p.puzzles.loadedName;
    const std::uint32_t words =
        inMemory ? p.puzzles.loadedCheck : dictionaryFileCheck(p, dictionary);
    return dataCheckOf(layoutBytes(p.levels.at(level)), words) & CodeDataCheckMask;
}

CodeRead readCode(Play& p, std::string_view code) {
    CodeRead read = decodePuzzleCode(code, installedDictionaries(p.folder));
    if (!read.puzzleSpec)
        return read;
    CodeProblem problem = CodeProblem::None;
    if (read.puzzleSpec->level > p.levels.levelCount)
        problem = CodeProblem::NoSuchLevel;
    else if (puzzleDataCheck(p, read.puzzleSpec->dictionary, read.puzzleSpec->level) !=
             read.puzzleSpec->dataCheck)
        problem = CodeProblem::DataDiffers;
    if (problem != CodeProblem::None)
        return {std::nullopt, problem, codeProblemMessage(problem)};
    return read;
}

PuzzleSpec dailySpec(Play& p, const CivilDate& date) {
    const int day = dayNumberOf(date);
    const auto dayBits = static_cast<std::uint32_t>(day);
    PuzzleSpec puzzleSpec;
    puzzleSpec.seed = mixed(dayBits ^ 0x51A7D0C5u);
    // Day 0, 1899-12-30, was a Saturday: Monday is 0 and Sunday 6.
    const int weekday = ((day % 7 + 7) % 7 + 5) % 7;
    puzzleSpec.level =
        dailyLevel(mixed(puzzleSpec.seed ^ 0x1E7E15u), weekday, std::max(1, p.levels.levelCount));
    puzzleSpec.dictionary = DailyDictionary;
    puzzleSpec.handicap = 0;
    puzzleSpec.lock = LockRule::None;
    puzzleSpec.timed = false;
    puzzleSpec.dataCheck = puzzleDataCheck(p, puzzleSpec.dictionary, puzzleSpec.level);
    return puzzleSpec;
}

void playCode(Play& p, std::string_view code) {
    if (p.state.values.building)
        return;
    const CodeRead read = readCode(p, code);
    if (!read.puzzleSpec) {
        p.events.message(read.message);
        return;
    }
    endGameOnBoard(p);
    p.state.daily.reset();
    buildPuzzle(p, *read.puzzleSpec, true);
}

void playDaily(Play& p, const CivilDate& date) {
    if (p.state.values.building)
        return;
    const PuzzleSpec puzzleSpec = dailySpec(p, date);
    endGameOnBoard(p);
    p.state.daily = date;
    buildPuzzle(p, puzzleSpec, true);
}

} // namespace quorvel
