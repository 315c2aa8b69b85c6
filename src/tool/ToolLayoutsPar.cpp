// quorvel-tool layouts par: plays every level as a player who knows the answer, for level authors.
#include "Tool.h"

#include "base/Files.h"
#include "game/Game.h"
#include "model/Layouts.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <vector>

namespace quorvel::tool {

namespace {

// The player's plan: align the columns one by one, shifting the way that brings the most
// letters into place per shift and locking each letter as it arrives; a column whose free
// letters all stand right is left free. After each column every word that stands whole is
// locked, so that it pays its letters back at once: with the padlock when that costs less
// than clicking its free letters.
class ParPlayer {
public:
    explicit ParPlayer(Game& game) : m_game(game) {}

    int shifts = 0; // column shifts made
    int clicks = 0; // letters locked one by one

    void play() {
        const Board& board = m_game.state().board;
        for (int c = 1; c <= board.columns && m_game.state().isInPlay(); ++c) {
            alignColumn(c);
            lockWords(true);
        }
        lockWords(false);
    }

private:
    const Board& board() const { return m_game.state().board; }

    void click(int tile) {
        const Tile& t = board().tile(tile);
        m_game.apply(Move::click(t.row, t.column));
    }

    void dropPadlock(int tile) {
        const Tile& t = board().tile(tile);
        m_game.apply(Move::drop(t.row, t.column));
    }

    bool inPlace(int tile) const {
        const Tile& t = board().tile(tile);
        return t.caption == t.solution;
    }

    void alignColumn(int column) {
        while (m_game.state().isInPlay()) {
            ColumnGather free = board().gatherColumn(column);
            const auto wrong = std::count_if(free.tiles.begin(), free.tiles.end(),
                                             [&](int tile) { return !inPlace(tile); });
            if (wrong == 0)
                return;
            for (int tile : free.tiles) {
                if (inPlace(tile) && m_game.state().isInPlay()) {
                    click(tile);
                    ++clicks;
                }
            }
            free = board().gatherColumn(column);
            const Rotation best = bestRotation(free);
            for (int i = 0; i < best.steps && m_game.state().isInPlay(); ++i) {
                m_game.apply(Move::shift(column, best.down));
                ++shifts;
            }
        }
    }

    struct Rotation {
        int steps = 1;
        bool down = true;
    };

    // The rotation that brings the most letters into place per shift (the fewer shifts on a
    // tie). Free letters that are all wrong always have one: a letter is somewhere in place.
    Rotation bestRotation(const ColumnGather& free) const {
        const int n = static_cast<int>(free.letters.size());
        Rotation best;
        double bestRate = -1;
        for (int steps = 1; steps < n; ++steps) {
            for (bool down : {true, false}) {
                int matches = 0;
                for (int i = 0; i < n; ++i) {
                    // Down moves each letter one free place lower: place i then holds the
                    // letter that stood steps places above it.
                    const int from = down ? (i - steps % n + n) % n : (i + steps) % n;
                    matches +=
                        free.letters[static_cast<std::size_t>(from)] ==
                                board().tile(free.tiles[static_cast<std::size_t>(i)]).solution
                            ? 1
                            : 0;
                }
                const double rate = static_cast<double>(matches) / steps;
                if (matches > 0 && rate > bestRate) {
                    bestRate = rate;
                    best = {steps, down};
                }
            }
        }
        return best;
    }

    bool whole(int start, int length) const {
        for (int t = start; t < start + length; ++t) {
            if (!inPlace(t))
                return false;
        }
        return true;
    }

    // The words not yet found (only those standing whole when wholeOnly): clicking k free
    // letters costs k, the padlock costs its fixed price; the word pays its letters back
    // either way.
    void lockWords(bool wholeOnly) {
        const int padlockCost = -m_game.state().values.word;
        for (int start = 1; start <= board().tileCount && m_game.state().isInPlay(); ++start) {
            const Tile& first = board().tile(start);
            if (!first.wordStart || first.caption == GapChar ||
                first.colour == LetterColour::Revealed)
                continue;
            const int length = static_cast<int>(board().readWord(start, true).size());
            if (wholeOnly && !whole(start, length))
                continue;
            std::vector<int> free;
            for (int t = start; t < start + length; ++t) {
                if (board().tile(t).colour == LetterColour::Unlocked)
                    free.push_back(t);
            }
            if (static_cast<int>(free.size()) > padlockCost) {
                dropPadlock(free.front());
            } else {
                for (int t : free) {
                    if (m_game.state().isInPlay())
                        click(t);
                }
            }
        }
    }

    Game& m_game;
};

struct ParArgs {
    std::string path;
    std::string root;
    std::string dictionary = "Common Words";
    int seeds = 20;
};

struct LevelPar {
    int built = 0;          // games whose puzzle could be built
    double meanMoves = 0;   // moves left at the end, averaged over the seeds
    int advanceMinimum = 0; // the same for every seed
    int completed = 0;      // games that ended with the puzzle complete
    int advanced = 0;       // games that advanced past the level
    double meanShifts = 0;  // column shifts the plan needed
};

// One game for each handicap, kept for every level: the dictionary is read once.
struct ParGame {
    Random random;
    Game game;

    // The events of its moves are not needed: only the state at the end counts.
    ParGame(const LevelTable& table, const ParArgs& args, int handicap) : game(random, args.root) {
        game.apply(Move::setOption(Move::Option::Handicap, handicap));
        game.apply(Move::setDictionary(args.dictionary));
        game.setLevelTable(table);
    }
};

LevelPar playLevel(ParGame& games, const ParArgs& args, int level) {
    Game& game = games.game;
    LevelPar par;
    long long total = 0, shifts = 0;
    for (int seed = 1; seed <= args.seeds; ++seed) {
        games.random.reseed(static_cast<std::uint32_t>(seed));
        game.apply(Move::pickerLevel(level));
        game.apply(Move::of(Move::Kind::NewPuzzle));
        if (!game.state().isInPlay())
            return par; // no word fits the layout, or the dictionary cannot fill it: never won
        ++par.built;
        par.advanceMinimum = game.state().values.advanceMinimum;
        ParPlayer player(game);
        player.play();
        shifts += player.shifts;
        const int left = game.state().values.movesLeft;
        total += left;
        par.advanced += left > par.advanceMinimum ? 1 : 0;
        par.completed += left > 0 ? 1 : 0;
    }
    par.meanMoves = static_cast<double>(total) / args.seeds;
    par.meanShifts = static_cast<double>(shifts) / args.seeds;
    return par;
}

// How far the mean ends above the advance minimum, as a share of the minimum; a level
// without a puzzle counts as lost.
double margin(const LevelPar& par) {
    if (par.built == 0)
        return -1.0;
    return par.advanceMinimum > 0 ? par.meanMoves / par.advanceMinimum - 1.0 : 1.0;
}

std::string fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

struct Worst {
    double margin = 1e9;
    int level = 0;

    void take(double m, int lvl) {
        if (m < margin) {
            margin = m;
            level = lvl;
        }
    }
};

void printLevel(int level, const LayoutRecord& layout, const LevelPar& neutral,
                const LevelPar& hardest) {
    if (neutral.built == 0 || hardest.built == 0) {
        std::cout << "level " << level << " letters=" << layout.letterTotal
                  << " rows=" << layout.rows << " no puzzle\n";
        return;
    }
    std::cout << "level " << level << " letters=" << layout.letterTotal << " rows=" << layout.rows
              << " shifts=" << fixed(neutral.meanShifts, 1)
              << " neutral moves=" << fixed(neutral.meanMoves, 1)
              << " minimum=" << neutral.advanceMinimum
              << " margin=" << fixed(100 * margin(neutral), 0) << "% advanced=" << neutral.advanced
              << " hardest moves=" << fixed(hardest.meanMoves, 1)
              << " minimum=" << hardest.advanceMinimum
              << " margin=" << fixed(100 * margin(hardest), 0) << "% advanced=" << hardest.advanced
              << '\n';
}

void par(const ParArgs& given) {
    ParArgs args = given;
    if (args.seeds < 1)
        throw ExitStatus{1, "--seeds must be at least 1."};
    if (args.root.empty())
        args.root = toolFolder();
    if (args.root.back() != '/')
        args.root += '/';
    if (!fileExists(args.path))
        throw ExitStatus{1, "The layouts file " + args.path + " does not exist."};
    const std::string dictionary = args.root + "kbs/" + args.dictionary + ".dic";
    if (!fileExists(dictionary))
        throw ExitStatus{1, "The dictionary " + dictionary + " does not exist."};
    LevelTable table;
    std::string text;
    try {
        text = readWholeFile(args.path);
    } catch (const FileError& error) {
        throw ExitStatus{1, error.what()};
    }
    const LayoutsLoad load = loadLayouts(text, table);
    if (!load.headerRead)
        throw ExitStatus{1, "The layouts file " + args.path +
                                " has no readable header (five characters, then the checksum)."};
    // Every level read is played, also before the checksum is fixed.
    table.levelCount = load.levelsRead;
    Worst neutral, hardest;
    ParGame neutralGame(table, args, 0), hardestGame(table, args, 1);
    for (int level = 1; level <= table.levelCount; ++level) {
        const LevelPar n = playLevel(neutralGame, args, level);
        const LevelPar h = playLevel(hardestGame, args, level);
        printLevel(level, table.at(level), n, h);
        neutral.take(margin(n), level);
        hardest.take(margin(h), level);
    }
    std::cout << "summary levels=" << table.levelCount << " seeds=" << args.seeds
              << " neutral min margin=" << fixed(100 * neutral.margin, 0) << "% at level "
              << neutral.level << " hardest min margin=" << fixed(100 * hardest.margin, 0)
              << "% at level " << hardest.level << '\n';
    std::cout.flush();
}

} // namespace

void addLayoutParCommand(CLI::App& layouts) {
    static ParArgs args;
    CLI::App* cmd = layouts.add_subcommand(
        "par", "Play every level knowing the answer; show the moves left and the advance minimum");
    cmd->add_option("FILE", args.path, "The layouts file")->required();
    cmd->add_option("--seeds", args.seeds, "Games per level and handicap (default 20)");
    cmd->add_option("--root", args.root,
                    "The program folder whose kbs/ holds the dictionary (default: the tool's own)");
    cmd->add_option("--dictionary", args.dictionary,
                    "The dictionary to draw from (default Common Words)");
    cmd->callback([] { par(args); });
}

} // namespace quorvel::tool
