// Random play on many levels and seeds: the rules' invariants hold after every single move, and
// each game's moves, written as text and read back, replay to the same board and events.
#include "EngineTestSupport.h"
#include "PlayTestSupport.h"
#include "RandomPlayer.h"

#include "words/WordLists.h"

#include "model/Move.h"

#include <algorithm>
#include <filesystem>
#include <functional>
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

bool everyWordFound(const Board& b) {
    for (int t = 1; t <= b.tileCount; ++t)
        if (b.tile(t).visible && !b.tile(t).found)
            return false;
    return true;
}

class PlayProperty : public ::testing::Test {
protected:
    // Checks one move's effects; returns false once anything is wrong (the caller stops).
    bool checkMove(HeardGame& game, RecordingListener& events, Action move,
                   const std::string& captionsBefore, const std::vector<bool>& fixedBefore,
                   std::size_t recordsBefore) {
        const Board& b = game.state().board;
        EXPECT_EQ(columnLetters(b, false), columnLetters(b, true)) << "a column lost a letter";
        EXPECT_LE(game.state().values.movesLeft, 100);
        EXPECT_FALSE(game.state().clueRunning);
        const auto records = events.withPrefix("record ");
        const std::size_t newRecords = records.size() - recordsBefore;
        if (game.state().isInPlay()) {
            EXPECT_GT(game.state().values.movesLeft, 0) << "in play without moves";
            EXPECT_FALSE(everyWordFound(b)) << "in play with every word found";
            EXPECT_EQ(newRecords, 0u);
        }
        // Losing and giving up reveal the solution; only then may a fixed letter change.
        const bool lost = newRecords == 1 && recordResult(records.back()) == 'F';
        const bool revealed = !game.state().isInPlay() && (move == Action::Solve || lost);
        for (int t = 1; t <= b.tileCount && !revealed; ++t) {
            if (fixedBefore[static_cast<std::size_t>(t)]) {
                EXPECT_EQ(b.tile(t).caption, captionsBefore[static_cast<std::size_t>(t)])
                    << "a locked letter moved at tile " << t;
            }
        }
        return !HasFailure();
    }

    // Checks how the game ended: one record (none for an untouched Solve), and why.
    void checkEnd(HeardGame& game, RecordingListener& events, Action last, bool touched,
                  std::size_t recordsAtStart) {
        const auto records = events.withPrefix("record ");
        const std::size_t count = records.size() - recordsAtStart;
        if (last == Action::Solve) {
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
            EXPECT_TRUE(everyWordFound(game.state().board));
        else
            EXPECT_TRUE(result == 'F' && game.state().values.movesLeft <= 0) << records.back();
    }

    // A second game, fresh when the test begins, that is given the same set-up as the one
    // played and then only the played moves' text. It carries whatever a game keeps from one
    // puzzle to the next (a pause left standing, the level), so it must follow every game.
    struct Replica {
        RecordingListener events;
        Random random;
        HeardGame game;
        explicit Replica(const std::string& folder) : game(events, random, folder) {}
    };

    // Plays games on every level of the table with consecutive seeds.
    void playGames(HeardGame& game, RecordingListener& events, Random& random, int levelCount,
                   std::uint32_t firstSeed, int games) {
        Random dice;
        RandomPlayer player(game, dice);
        Replica replica(m_folder);
        m_prepare(replica.game);
        for (int g = 0; g < games && !HasFailure(); ++g) {
            const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(g);
            SCOPED_TRACE("seed " + std::to_string(seed));
            random.reseed(seed);
            replica.random.reseed(seed);
            dice.reseed(seed * 7919u + 1);
            GameOptions o = game.options();
            o.handicap = dice.uniform(-1, 1);
            o.timed = dice.uniform(0, 1) == 1;
            o.timerPopSounds = dice.uniform(0, 1) == 1;
            o.lock = static_cast<LockRule>(dice.uniform(0, 3));
            o.autoAdvance = false;
            player.eager = dice.uniform(0, 1) == 1;
            const int level = dice.uniform(1, levelCount);
            for (HeardGame* each : {&game, &replica.game}) {
                each->setOptions(o);
                each->apply(Move::pickerLevel(level));
                each->apply(Move::of(Move::Kind::NewPuzzle));
            }
            if (!game.state().isInPlay())
                continue; // the dictionary could not fill this level
            ++m_gamesPlayed;
            player.log.clear();
            const std::size_t recordsAtStart = events.withPrefix("record ").size();
            Action move = Action::Shift;
            for (int m = 0; m < 400 && game.state().isInPlay(); ++m) {
                const Board& b = game.state().board;
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
            if (game.state().isInPlay()) {
                player.play(Action::Solve); // a game that wandered long enough is given up
                move = Action::Solve;
            }
            checkEnd(game, events, move, game.state().values.moveMade, recordsAtStart);
            // An ended game stays ended whatever is clicked on it.
            const std::size_t recordsAfter = events.withPrefix("record ").size();
            for (int m = 0; m < 5; ++m)
                player.play(player.pick());
            EXPECT_EQ(events.withPrefix("record ").size(), recordsAfter);
            EXPECT_FALSE(game.state().isInPlay());
            player.apply(Move::of(Move::Kind::BannerOk));
            checkReplay(game, events, replica, player.log);
            events.clear();
            replica.events.clear();
        }
    }

    // The moves, read back from their text, bring the replica to the same board, counter and
    // events as the game played.
    void checkReplay(const Game& original, const RecordingListener& played, Replica& replica,
                     const std::vector<std::string>& log) {
        for (const std::string& line : log) {
            const MoveParse parsed = parseMove(line);
            ASSERT_TRUE(parsed.move.has_value()) << line << ": " << parsed.error;
            ASSERT_EQ(formatMove(*parsed.move), line);
            replica.game.apply(*parsed.move);
        }
        EXPECT_EQ(replica.events.events, played.events);
        EXPECT_EQ(TestGame::captionRows(replica.game),
                  TestGame::captionRows(original));
        EXPECT_EQ(TestGame::stateRows(replica.game), TestGame::stateRows(original));
        EXPECT_EQ(replica.game.state().values.movesLeft, original.state().values.movesLeft);
        ++m_replayed;
    }

    void report() const {
        std::printf("[ played ] %d games, %ld moves; won %d, lost %d, given up %d; %d replayed\n",
                    m_gamesPlayed, m_moves, result('W'), result('F'), result('Q'), m_replayed);
    }
    int result(char c) const {
        const auto it = m_results.find(c);
        return it == m_results.end() ? 0 : it->second;
    }

    std::map<char, int> m_results;
    int m_gamesPlayed = 0;
    int m_replayed = 0;
    std::string m_folder;                  // the program folder of every game played
    std::function<void(HeardGame&)> m_prepare; // gives a game its dictionary and levels
    long m_moves = 0;
};

TEST_F(PlayProperty, RandomPlayOnBuiltInAndDrawnLevelsKeepsTheRules) {
    TempProgramFolder dir;
    m_folder = dir.folder();
    const auto words = generatedWords();
    m_prepare = [&words](HeardGame& g) {
        TestGame::setDictionary(g, words);
        g.wordLists().rebuild(g.dictionary());
        g.setLevelTable(levelsFrom("0404\r\n0505\r\n0606\r\n0707\r\n"
                                   "XXX-XXXX\r\nXXXX-XXX\r\n-XXXXX-\r\n\r\n"
                                   "XXXXXXXXXX\r\nXXX-XXX-XX\r\nXXXXX-XXXX\r\nX-XXXXXXXX\r\n\r\n"));
    };
    RecordingListener events;
    Random random;
    HeardGame game(events, random, m_folder);
    m_prepare(game);
    playGames(game, events, random, game.levelTable().levelCount, 1, 1500);
    EXPECT_GT(m_gamesPlayed, 1000);
    report();
}

TEST_F(PlayProperty, RandomPlayOnShippedLevelsKeepsTheRules) {
    const std::string folder = QUORVEL_PROGRAM_DIR;
    if (!std::filesystem::exists(folder + "zq/formats") ||
        !std::filesystem::exists(folder + "kbs/Common Words.dic"))
        GTEST_SKIP() << "the shipped levels and dictionary are not staged";
    m_folder = folder;
    m_prepare = [&folder](HeardGame& g) {
        g.loadLayouts();
        g.wordLists().load(folder);
    };
    RecordingListener events;
    Random random;
    HeardGame game(events, random, folder);
    m_prepare(game);
    playGames(game, events, random, game.levelTable().levelCount, 5001, 300);
    EXPECT_GT(m_gamesPlayed, 0);
    report();
}

} // namespace
} // namespace quorvel
