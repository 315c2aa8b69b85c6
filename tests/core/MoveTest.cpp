// Moves as text: every kind reads back as written, malformed lines say how to write them, and a
// move that names no cell of the board changes nothing.
#include "PlayTestSupport.h"

#include "model/Move.h"

namespace quorvel {
namespace {

using Kind = Move::Kind;

TEST(MoveText, EveryKindReadsBackAsWritten) {
    const std::vector<Move> moves = {Move::shift(3, true),
                                     Move::shift(12, false),
                                     Move::click(1, 2),
                                     Move::drop(20, 40),
                                     Move::of(Kind::LockAll),
                                     Move::of(Kind::Clue),
                                     Move::of(Kind::ClueStep),
                                     Move::of(Kind::Solve),
                                     Move::of(Kind::Undo),
                                     Move::of(Kind::Pause),
                                     Move::of(Kind::BannerOk),
                                     Move::of(Kind::NewPuzzle),
                                     Move::pickLevel(7, false),
                                     Move::pickLevel(200, true),
                                     Move::of(Kind::NextLevel),
                                     Move::of(Kind::PreviousLevel),
                                     Move::of(Kind::RandomLevel),
                                     Move::wait(0),
                                     Move::wait(25000),
                                     Move::wait(1),
                                     Move::wait(12050),
                                     Move::wait(2147483647LL * 1000),
                                     Move::of(Kind::Tick),
                                     Move::pickerLevel(3),
                                     Move::restoreLevel(-2),
                                     Move::of(Kind::BannerTimeUp),
                                     Move::banner(0, 0xFF0000, "Advance to level 2"),
                                     Move::banner(-1, 0x800000, ""),
                                     Move::banner(1, 0x12, "Please try again"),
                                     Move::playCode("4004-PWN0-PB3X-K91Y-BXGE"),
                                     Move::daily({2026, 12, 7}),
                                     Move::daily({1900, 2, 28}),
                                     Move::daily({2024, 2, 29})};
    for (const Move& move : moves) {
        const std::string text = formatMove(move);
        const MoveParse back = parseMove(text);
        ASSERT_TRUE(back.move.has_value()) << text << ": " << back.error;
        EXPECT_EQ(*back.move, move) << text;
    }
}

TEST(MoveText, TheToolsWordsAreKept) {
    EXPECT_EQ(formatMove(Move::shift(3, true)), "shift 3 down");
    EXPECT_EQ(formatMove(Move::shift(3, false)), "shift 3 up");
    EXPECT_EQ(formatMove(Move::click(2, 5)), "click 2 5");
    EXPECT_EQ(formatMove(Move::of(Kind::BannerOk)), "ok");
    EXPECT_EQ(formatMove(Move::pickLevel(4, true)), "level 4 new");
    // Whole seconds stay whole; milliseconds keep their leading zeros.
    EXPECT_EQ(formatMove(Move::wait(30000)), "wait 30");
    EXPECT_EQ(formatMove(Move::wait(1005)), "wait 1.005");
    EXPECT_EQ(formatMove(Move::wait(250)), "wait 0.250");
    // Blanks around and between the words do not matter, as on the tool's input.
    EXPECT_EQ(parseMove("  shift\t2   up ").move, Move::shift(2, false));
    EXPECT_EQ(parseMove("wait 1.5").move, Move::wait(1500));
    EXPECT_EQ(parseMove("wait +2").move, Move::wait(2000));
    EXPECT_EQ(formatMove(Move::pickerLevel(4)), "picker 4");
    EXPECT_EQ(formatMove(Move::restoreLevel(9)), "restore-level 9");
    EXPECT_EQ(formatMove(Move::of(Kind::BannerTimeUp)), "banner-timeout");
    EXPECT_EQ(formatMove(Move::banner(0, 0xFF0000, "Advance to level 2")),
              "banner 0 FF0000 Advance to level 2");
    EXPECT_EQ(parseMove("banner 1 ff Please   try again").move,
              Move::banner(1, 0xFF, "Please try again"));
}

TEST(MoveText, MalformedMovesSayHowToWriteThem) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"shift", "usage: shift COLUMN down|up"},
        {"shift 2 sideways", "usage: shift COLUMN down|up"},
        {"shift x down", "usage: shift COLUMN down|up"},
        {"click 2", "usage: click ROW COLUMN"},
        {"drop 2 3 4", "usage: drop ROW COLUMN"},
        {"click 99999999999 1", "usage: click ROW COLUMN"},
        {"wait", "usage: wait SECONDS"},
        {"wait -1", "usage: wait SECONDS"},
        {"wait -0.5", "usage: wait SECONDS"},
        {"wait 1.2345", "usage: wait SECONDS"},
        {"wait 1.", "usage: wait SECONDS"},
        {"wait .5", "usage: wait SECONDS"},
        {"wait 1.x", "usage: wait SECONDS"},
        {"wait 3000000000", "usage: wait SECONDS"},
        {"lockall now", "usage: lockall"},
        {"new 3", "usage: new"},
        {"level", "usage: level L, level L new, level next|previous|random"},
        {"level 3 old", "usage: level L, level L new, level next|previous|random"},
        {"level next 2", "usage: level L, level L new, level next|previous|random"},
        {"picker", "usage: picker L"},
        {"picker 2 3", "usage: picker L"},
        {"restore-level x", "usage: restore-level L"},
        {"banner-timeout 2", "usage: banner-timeout"},
        {"banner 1", "usage: banner SECONDS COLOUR TEXT"},
        {"banner x FF0000 Hello", "usage: banner SECONDS COLOUR TEXT"},
        {"banner 1 FFGG00 Hello", "usage: banner SECONDS COLOUR TEXT"},
        {"banner 1 123456789 Hello", "usage: banner SECONDS COLOUR TEXT"},
        {"banner 1 -1 Hello", "usage: banner SECONDS COLOUR TEXT"},
        {"code", "usage: code CODE"},
        {"code 4004 PWN0", "usage: code CODE"},
        {"daily", "usage: daily YYYY-MM-DD"},
        {"daily 2026-12-7", "usage: daily YYYY-MM-DD"},
        {"daily 2025-02-29", "usage: daily YYYY-MM-DD"},
        {"daily 2026-13-01", "usage: daily YYYY-MM-DD"},
        {"daily 1899-12-31", "usage: daily YYYY-MM-DD"},
        {"daily +026-12-07", "usage: daily YYYY-MM-DD"},
    };
    for (const auto& [line, error] : cases) {
        const MoveParse parsed = parseMove(line);
        EXPECT_FALSE(parsed.move.has_value()) << line;
        EXPECT_EQ(parsed.error, error) << line;
    }
    // Not a move at all: the tool goes on to its own commands.
    for (const std::string line : {"", "   ", "dump", "quit", "Shift 1 down"}) {
        const MoveParse parsed = parseMove(line);
        EXPECT_FALSE(parsed.move.has_value()) << line;
        EXPECT_TRUE(parsed.error.empty()) << line;
    }
}

class MoveApply : public PlayTest {};

TEST_F(MoveApply, MovesOffTheBoardChangeNothing) {
    setUp({"CAT-", "DOGS"}, {"DAT-", "COGS"});
    const auto before = captions();
    for (const Move& move : {Move::click(0, 1), Move::click(3, 1), Move::drop(1, 5),
                             Move::click(-1, -1), Move::shift(0, true), Move::shift(5, false)})
        game.apply(move);
    EXPECT_EQ(captions(), before);
    EXPECT_EQ(moves(), game.state().values.start > 100 ? 100 : game.state().values.start);
    EXPECT_TRUE(events.events.empty());
}

TEST_F(MoveApply, MovesLandOnTheirRules) {
    setUp({"CAT-", "DOGS"}, {"DAT-", "COGS"});
    game.apply(parseMove("shift 1 down").move.value());
    EXPECT_EQ(column(1), "CD");
    game.apply(parseMove("click 1 1").move.value());
    EXPECT_EQ(states()[0][0], 'G');
    game.apply(parseMove("click 1 1").move.value());
    EXPECT_EQ(states()[0][0], 'r');
    // A clue begins with its charge; its shifts come one step at a time.
    game.apply(parseMove("clue").move.value());
    ASSERT_TRUE(game.state().clueRunning);
    int steps = 0;
    while (game.state().clueRunning && steps < 10) {
        game.apply(parseMove("clue-step").move.value());
        ++steps;
    }
    EXPECT_FALSE(game.state().clueRunning);
    EXPECT_GE(steps, 1);
}

TEST_F(MoveApply, TellsWhatTheMoveDid) {
    setUp({"CAT", "DOG"}, {}, {"BBB", "GGr"});
    EXPECT_EQ(game.apply(Move::click(5, 5)), MoveResult::NoEffect);
    EXPECT_EQ(game.apply(Move::of(Move::Kind::ClueStep)), MoveResult::NoEffect); // none runs
    EXPECT_EQ(game.apply(Move::click(2, 1)), MoveResult::Changed);                // opens D
    EXPECT_EQ(game.apply(Move::click(2, 1)), MoveResult::Changed);
    EXPECT_EQ(game.apply(Move::click(2, 3)), MoveResult::GameOver); // DOG found: won
    EXPECT_EQ(game.apply(Move::click(2, 3)), MoveResult::NoEffect);
    EXPECT_EQ(game.apply(Move::of(Move::Kind::Solve)), MoveResult::NoEffect);
}

TEST_F(MoveApply, StartUpAndBannerMovesLandOnTheirRules) {
    setUp({"CAT", "DOG"});
    game.apply(Move::banner(0, 0xFF0000, "Advance to level 2"));
    EXPECT_TRUE(game.state().banner.waiting);
    EXPECT_FALSE(game.state().commands.boardPanel);
    game.apply(Move::of(Move::Kind::BannerTimeUp));
    EXPECT_FALSE(game.state().banner.visible);
    EXPECT_TRUE(game.state().commands.boardPanel);
    game.setLevelTable(builtInLayouts());
    const int last = game.levelTable().levelCount;
    game.apply(Move::pickerLevel(last + 5)); // kept within the table
    EXPECT_EQ(game.state().pickerLevel, last);
    events.clear();
    game.apply(Move::restoreLevel(last + 1)); // one beyond the table: the last level
    EXPECT_EQ(game.state().values.level, last);
    EXPECT_TRUE(events.has("level " + std::to_string(last)));
}

TEST_F(MoveApply, LongWaitsRunTheClockInSlices) {
    options([](GameOptions& o) { o.timed = true; });
    setUp({"CAT-", "DOGS"}, {"DAT-", "COGS"});
    const int interval = game.state().timer.intervalMs;
    ASSERT_GT(interval, 0);
    // Far longer than an int of milliseconds: the game ends on penalties, without overflow.
    game.apply(Move::wait(3'000'000'000LL));
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_EQ(records(), std::vector<char>{'F'});
}

} // namespace
} // namespace quorvel
