// Random play on many levels and seeds: the rules' invariants hold after every single move.
#include "EngineTestSupport.h"
#include "PlayTestSupport.h"

#include "words/WordLists.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace quorvel {
namespace {

// The letters standing in each column, sorted: shifting only ever rotates them.
std::vector<std::string> columnLetters(const Board& b, bool solution) {
    std::vector<std::string> columns(static_cast<std::size_t>(b.columns) + 1);
    for (int t = 1; t <= b.tileCount; ++t) {
        const Tile& tile = b.tile(t);
        columns[static_cast<std::size_t>(tile.column)] += solution ? tile.solution : tile.caption;
    }
    for (std::string& c : columns)
        std::sort(c.begin(), c.end());
    return columns;
}

bool everyLetterLocked(const Board& b) {
    for (int t = 1; t <= b.tileCount; ++t)
        if (b.tile(t).visible && !b.tile(t).locked)
            return false;
    return true;
}

enum class Move {
    Shift,
    Click,
    RightClick,
    FreeClick,
    Drop,
    LockAll,
    Clue,
    Undo,
    Wait,
    Pause,
    Solve
};

class RandomPlayer {
public:
    RandomPlayer(Game& game, Random& dice) : m_game(game), m_dice(dice) {}

    bool eager = false;

    Move pick() {
        // Weights in percent, in the order of Move; an eager player mostly locks letters, so
        // that games are also won, not only lost or given up.
        static constexpr int wandering[] = {25, 10, 20, 15, 8, 4, 4, 3, 9, 1, 1};
        static constexpr int eagerly[] = {8, 5, 30, 35, 5, 3, 3, 2, 7, 1, 1};
        const int* weights = eager ? eagerly : wandering;
        int roll = m_dice.uniform(1, 100);
        int move = 0;
        while (roll > weights[move])
            roll -= weights[move++];
        return static_cast<Move>(move);
    }

    void play(Move move) {
        const Board& b = m_game.board();
        const int anyTile = m_dice.uniform(1, std::max(1, b.tileCount));
        switch (move) {
        case Move::Shift:
            m_game.shiftColumn(m_dice.uniform(1, b.columns), m_dice.uniform(0, 1) == 1);
            break;
        case Move::Click:
            m_game.clickTile(anyTile);
            break;
        case Move::RightClick: // a free letter that stands right, so games also get won
            m_game.clickTile(freeLetter(anyTile, true));
            break;
        case Move::FreeClick: // any free letter: wrong letters locked count for completion too
            m_game.clickTile(freeLetter(anyTile, false));
            break;
        case Move::Drop:
            m_game.dropPadlock(anyTile);
            break;
        case Move::LockAll:
            m_game.lockAll();
            break;
        case Move::Clue:
            m_game.runClue();
            break;
        case Move::Undo:
            m_game.undo();
            break;
        case Move::Wait:
            m_game.elapse(m_dice.uniform(0, 25000));
            break;
        case Move::Pause:
            m_game.pauseContinue();
            break;
        case Move::Solve:
            m_game.solve();
            break;
        }
    }

private:
    int freeLetter(int from, bool right) const {
        const Board& b = m_game.board();
        for (int k = 0; k < b.tileCount; ++k) {
            const int t = (from - 1 + k) % b.tileCount + 1;
            const Tile& tile = b.tile(t);
            if (tile.visible && tile.colour == LetterColour::Unlocked && !tile.locked &&
                (!right || tile.caption == tile.solution))
                return t;
        }
        return from;
    }

    Game& m_game;
    Random& m_dice;
};

class PlayProperty : public ::testing::Test {
protected:
    // Checks one move's effects; returns false once anything is wrong (the caller stops).
    bool checkMove(Game& game, RecordingListener& events, Move move,
                   const std::string& captionsBefore, const std::vector<bool>& fixedBefore,
                   std::size_t recordsBefore) {
        const Board& b = game.board();
        EXPECT_EQ(columnLetters(b, false), columnLetters(b, true)) << "a column lost a letter";
        EXPECT_LE(game.values().movesLeft, 100);
        EXPECT_FALSE(game.clueRunning());
        const auto records = events.withPrefix("record ");
        const std::size_t newRecords = records.size() - recordsBefore;
        if (game.isInPlay()) {
            EXPECT_GT(game.values().movesLeft, 0) << "in play without moves";
            EXPECT_FALSE(everyLetterLocked(b)) << "in play with every letter locked";
            EXPECT_EQ(newRecords, 0u);
        }
        // Losing and giving up reveal the solution; only then may a fixed letter change.
        const bool lost = newRecords == 1 && recordResult(records.back()) == 'F';
        const bool revealed = !game.isInPlay() && (move == Move::Solve || lost);
        for (int t = 1; t <= b.tileCount && !revealed; ++t) {
            if (fixedBefore[static_cast<std::size_t>(t)]) {
                EXPECT_EQ(b.tile(t).caption, captionsBefore[static_cast<std::size_t>(t)])
                    << "a locked letter moved at tile " << t;
            }
        }
        return !HasFailure();
    }

    // Checks how the game ended: one record (none for an untouched Solve), and why.
    void checkEnd(Game& game, RecordingListener& events, Move last, bool touched,
                  std::size_t recordsAtStart) {
        const auto records = events.withPrefix("record ");
        const std::size_t count = records.size() - recordsAtStart;
        if (last == Move::Solve) {
            EXPECT_EQ(count, touched ? 1u : 0u);
            if (count == 1) {
                ++m_results['Q'];
                EXPECT_EQ(recordResult(records.back()), 'Q');
            }
            return;
        }
        ASSERT_EQ(count, 1u) << "an ended game writes exactly one record";
        const char result = recordResult(records.back());
        ++m_results[result];
        if (result == 'W')
            EXPECT_TRUE(everyLetterLocked(game.board()));
        else
            EXPECT_TRUE(result == 'F' && game.values().movesLeft <= 0) << records.back();
    }

    // Plays games on every level of the table with consecutive seeds.
    void playGames(Game& game, RecordingListener& events, Random& random, int levelCount,
                   std::uint32_t firstSeed, int games) {
        Random dice;
        RandomPlayer player(game, dice);
        for (int g = 0; g < games && !HasFailure(); ++g) {
            const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(g);
            SCOPED_TRACE("seed " + std::to_string(seed));
            random.reseed(seed);
            dice.reseed(seed * 7919u + 1);
            GameOptions o = game.options();
            o.handicap = dice.uniform(-1, 1);
            o.timed = dice.uniform(0, 1) == 1;
            o.timerPopSounds = dice.uniform(0, 1) == 1;
            o.lock = static_cast<LockRule>(dice.uniform(0, 3));
            o.autoAdvance = false;
            player.eager = dice.uniform(0, 1) == 1;
            game.setOptions(o);
            game.setPickerLevel(dice.uniform(1, levelCount));
            game.newPuzzle();
            if (!game.isInPlay())
                continue; // the dictionary could not fill this level
            ++m_gamesPlayed;
            const std::size_t recordsAtStart = events.withPrefix("record ").size();
            Move move = Move::Shift;
            for (int m = 0; m < 400 && game.isInPlay(); ++m) {
                const Board& b = game.board();
                std::string captions(1, GapChar); // 1-based, as the tiles
                std::vector<bool> fixed(1, false);
                for (int t = 1; t <= b.tileCount; ++t) {
                    captions += b.tile(t).caption;
                    fixed.push_back(b.tile(t).colour != LetterColour::Unlocked);
                }
                const std::size_t recordsBefore = events.withPrefix("record ").size();
                move = player.pick();
                player.play(move);
                ++m_moves;
                if (!checkMove(game, events, move, captions, fixed, recordsBefore))
                    return;
            }
            if (game.isInPlay()) {
                game.solve(); // a game that wandered long enough is given up
                move = Move::Solve;
            }
            checkEnd(game, events, move, game.values().moveMade, recordsAtStart);
            // An ended game stays ended whatever is clicked on it.
            const std::size_t recordsAfter = events.withPrefix("record ").size();
            for (int m = 0; m < 5; ++m)
                player.play(player.pick());
            EXPECT_EQ(events.withPrefix("record ").size(), recordsAfter);
            EXPECT_FALSE(game.isInPlay());
            game.bannerOk();
            events.clear();
        }
    }

    void report() const {
        std::printf("[ played ] %d games, %ld moves; won %d, lost %d, given up %d\n", m_gamesPlayed,
                    m_moves, result('W'), result('F'), result('Q'));
    }
    int result(char c) const {
        const auto it = m_results.find(c);
        return it == m_results.end() ? 0 : it->second;
    }

    std::map<char, int> m_results;
    int m_gamesPlayed = 0;
    long m_moves = 0;
};

TEST_F(PlayProperty, RandomPlayOnBuiltInAndDrawnLevelsKeepsTheRules) {
    TempProgramFolder dir;
    RecordingListener events;
    Random random;
    Game game(events, random, dir.folder());
    GameTestAccess::setDictionary(game, generatedWords());
    game.wordLists().rebuild(game.dictionary());
    game.setLevelTable(levelsFrom("0404\r\n0505\r\n0606\r\n0707\r\n"
                                  "XXX-XXXX\r\nXXXX-XXX\r\n-XXXXX-\r\n\r\n"
                                  "XXXXXXXXXX\r\nXXX-XXX-XX\r\nXXXXX-XXXX\r\nX-XXXXXXXX\r\n\r\n"));
    playGames(game, events, random, game.levelTable().levelCount, 1, 1500);
    EXPECT_GT(m_gamesPlayed, 1000);
    report();
}

TEST_F(PlayProperty, RandomPlayOnShippedLevelsKeepsTheRules) {
    const std::string folder = QUORVEL_PROGRAM_DIR;
    if (!std::filesystem::exists(folder + "zq/formats") ||
        !std::filesystem::exists(folder + "kbs/Common Words.dic"))
        GTEST_SKIP() << "the shipped levels and dictionary are not staged";
    RecordingListener events;
    Random random;
    Game game(events, random, folder);
    game.loadLayouts();
    game.wordLists().load(folder);
    playGames(game, events, random, game.levelTable().levelCount, 5001, 300);
    EXPECT_GT(m_gamesPlayed, 0);
    report();
}

} // namespace
} // namespace quorvel
