// Saved games: the text keeps everything and shows damage, resuming tells a damaged file from
// changed data, and a resumed game goes on exactly as the game that was never closed.
#include "EngineTestSupport.h"
#include "RandomPlayer.h"

#include "model/SavedGame.h"

#include <gtest/gtest.h>

#include <memory>

namespace quorvel {
namespace {

const std::string Levels = "0404\r\n0505\r\n0606\r\n0707\r\n"
                           "XXX-XXXX\r\nXXXX-XXX\r\n-XXXXX-\r\n\r\n"
                           "XXXXXXXXXX\r\nXXX-XXX-XX\r\nXXXXX-XXXX\r\nX-XXXXXXXX\r\n\r\n";

SavedGame someSave() {
    SavedGame s;
    s.code = "4004-PWN0-PB3X-K91Y-BXGE";
    s.daily = CivilDate{2026, 12, 7};
    s.moves = {Move::shift(3, true),           Move::click(2, 4), Move::of(Move::Kind::Clue),
               Move::of(Move::Kind::ClueStep), Move::wait(12345), Move::pickerLevel(4)};
    s.timerPhase = TimerPhase::Penalties;
    s.msIntoInterval = 4321;
    GameOptions options;
    options.handicap = -1;
    options.lock = LockRule::Randomly;
    options.dictionary = "Old Words";
    options.timed = true;
    options.trace = true;
    s.options = options;
    return s;
}

// A text with a correct check line, as the game writes it.
std::string withCheck(const std::string& body) {
    char check[16];
    std::snprintf(check, sizeof check, "%08X", static_cast<unsigned>(dataCheckOf(body)));
    return body + "check " + check + "\n";
}

TEST(SavedGameText, RoundTripsEveryField) {
    SavedGame s = someSave();
    SavedGameRead read = parseSavedGame(formatSavedGame(s));
    ASSERT_TRUE(read.game) << read.problem;
    EXPECT_EQ(*read.game, s);
    s.daily.reset();
    s.moves.clear();
    s.timerPhase = TimerPhase::Grace;
    read = parseSavedGame(formatSavedGame(s));
    ASSERT_TRUE(read.game) << read.problem;
    EXPECT_EQ(*read.game, s);
    // An editor that wrote CR LF line ends changes the bytes the check covers.
    std::string crlf;
    for (const char c : formatSavedGame(someSave()))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_FALSE(parseSavedGame(crlf).game);
}

// A game saved before the options were kept: it reads, without options.
TEST(SavedGameText, FilesOfTheFirstFormatStillRead) {
    const std::string body = "Quorvel saved game 1\ncode X\ntimer penalties 20\nmoves 1\nwait 3\n";
    const SavedGameRead read = parseSavedGame(withCheck(body));
    ASSERT_TRUE(read.game) << read.problem;
    EXPECT_FALSE(read.game->options);
    EXPECT_EQ(read.game->moves, std::vector<Move>{Move::wait(3000)});
}

// Found by fuzzing: a CR at the end of a field was taken for part of the line end.
TEST(SavedGameText, FieldsEndingInACarriageReturnRoundTrip) {
    SavedGame s = someSave();
    s.code = "4004\r\r";
    const SavedGameRead read = parseSavedGame(formatSavedGame(s));
    ASSERT_TRUE(read.game) << read.problem;
    EXPECT_EQ(*read.game, s);
}

TEST(SavedGameText, EveryFlippedByteIsSeen) {
    const std::string text = formatSavedGame(someSave());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string damaged = text;
        damaged[i] = static_cast<char>(damaged[i] ^ 0x04);
        const SavedGameRead read = parseSavedGame(damaged);
        EXPECT_FALSE(read.game) << "byte " << i << ": " << damaged;
        EXPECT_FALSE(read.problem.empty());
    }
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{10}, text.size() / 2, text.size() - 2})
        EXPECT_FALSE(parseSavedGame(text.substr(0, cut)).game) << "cut at " << cut;
}


TEST(SavedGameText, HostileButWellCheckedFilesAreRefused) {
    const std::string head = "Quorvel saved game 1\ncode X\ntimer grace 0\n";
    EXPECT_TRUE(parseSavedGame(withCheck(head + "moves 1\nwait 3600\n")).game);
    for (const std::string& body :
         {head + "moves 1\nwait 999999999999\n", head + "moves 1\nwait 86400.001\n",
          head + "moves 2\nshift 1 down\n", head + "moves 0\nshift 1 down\n",
          head + "moves 1\nfly away\n", head + "moves 1\nshift 1\n", head + "moves 100001\n",
          head + "moves -1\n",
          std::string("Quorvel saved game 2\ncode X\ntimer grace 0\noptions 1\nset handicap 7\n"
                      "moves 0\n"),
          std::string("Quorvel saved game 2\ncode X\ntimer grace 0\noptions 1\nshift 1 up\n"
                      "moves 0\n"),
          std::string("Quorvel saved game 2\ncode X\ntimer grace 0\noptions 10\nmoves 0\n"),
          std::string("Quorvel saved game 2\ncode X\ntimer grace 0\nmoves 0\n"),
          std::string("Quorvel saved game 1\ncode X\ntimer later 0\nmoves 0\n"),
          std::string("Quorvel saved game 1\ncode X\ntimer grace -5\nmoves 0\n"),
          std::string("Quorvel saved game 1\ncode X\ndaily 2026-02-30\ntimer grace 0\nmoves 0\n"),
          std::string("Quorvel saved game 1\ncode ") + std::string(100, 'A') +
              "\ntimer grace 0\nmoves 0\n"})
        EXPECT_FALSE(parseSavedGame(withCheck(body)).game) << body;
    std::string huge = head + "moves 0\n";
    huge.resize(MaxSavedGameBytes + 1, 'x');
    EXPECT_FALSE(parseSavedGame(huge).game);
}

class ResumeTest : public ::testing::Test {
protected:
    TempProgramFolder dir;
    void SetUp() override {
        dir.write("zq/formats", layoutsFile(Levels));
        dir.writeDictionary("Test", generatedWords());
    }
    using Session = GameInFolder;
    std::unique_ptr<Session> session(std::uint32_t seed) {
        auto s = std::make_unique<Session>(dir.folder(), seed);
        s->options([](GameOptions& o) { o.dictionary = "Test"; });
        return s;
    }
    // A game at level 3 with a few moves made, saved as text.
    std::string savedGame() {
        auto s = session(17);
        s->game.apply(Move::pickLevel(3, true));
        s->game.apply(Move::shift(2, true));
        s->game.apply(Move::shift(4, false));
        s->game.apply(Move::click(1, 1));
        return formatSavedGame(s->game.saveGame(0));
    }
    ResumeResult resume(const std::string& text, Session& into) {
        const SavedGameRead read = parseSavedGame(text);
        if (!read.game)
            return {ResumeProblem::Damaged, read.problem, {}};
        return into.game.resumeGame(*read.game);
    }
};

TEST_F(ResumeTest, ResumesQuietlyWithOneNotice) {
    const std::string text = savedGame();
    auto s = session(99);
    const ResumeResult r = resume(text, *s);
    EXPECT_EQ(r.problem, ResumeProblem::None) << r.message;
    EXPECT_TRUE(s->events.events.empty()) << s->events.events.front();
    EXPECT_EQ(s->events.stateChanges, 1);
    EXPECT_TRUE(s->game.state().isInPlay());
    EXPECT_EQ(s->game.movesSincePuzzle().size(), parseSavedGame(text).game->moves.size());
    EXPECT_FALSE(s->game.state().puzzleOwnOptions) << "a game of the player's own options";
}

TEST_F(ResumeTest, AChangedLayoutOrDictionaryIsToldApartFromDamage) {
    const std::string text = savedGame();
    auto damagedInto = session(1);
    std::string flipped = text;
    flipped[flipped.find("shift")] = 'S';
    const ResumeResult damaged = resume(flipped, *damagedInto);
    EXPECT_EQ(damaged.problem, ResumeProblem::Damaged);

    dir.write("zq/formats", layoutsFile("0404\r\n0505\r\n0707\r\n"));
    auto levelsChanged = session(1);
    const ResumeResult changed = resume(text, *levelsChanged);
    EXPECT_EQ(changed.problem, ResumeProblem::DataChanged);
    EXPECT_NE(changed.message, damagedInto->game.resumeGame(SavedGame{}).message);

    dir.write("zq/formats", layoutsFile(Levels));
    auto words = generatedWords();
    words.pop_back();
    dir.writeDictionary("Test", words);
    auto wordsChanged = session(1);
    EXPECT_EQ(resume(text, *wordsChanged).problem, ResumeProblem::DataChanged);
    std::filesystem::remove(dir.path("kbs/Test.dic"));
    EXPECT_EQ(resume(text, *wordsChanged).problem, ResumeProblem::DataChanged);
}

TEST_F(ResumeTest, AFileThatReplaysBadlyLeavesTheGameAsItWas) {
    const SavedGame good = *parseSavedGame(savedGame()).game;
    auto s = session(5);
    s->game.apply(Move::pickLevel(1, true));
    const GameState before = s->game.state();
    const auto movesBefore = s->game.movesSincePuzzle();
    for (const Move& bad : {Move::click(1, 99),              // does nothing
                            Move::of(Move::Kind::NewPuzzle), // builds another board
                            Move::of(Move::Kind::Solve)}) {  // ends the game
        SavedGame saved = good;
        saved.moves.push_back(bad);
        s->events.clear();
        s->events.stateChanges = 0;
        EXPECT_EQ(s->game.resumeGame(saved).problem, ResumeProblem::Damaged) << formatMove(bad);
        EXPECT_EQ(s->game.state(), before);
        EXPECT_EQ(s->game.movesSincePuzzle(), movesBefore);
        EXPECT_TRUE(s->events.events.empty());
    }
    SavedGame wrongPhase = good;
    wrongPhase.timerPhase = TimerPhase::Penalties;
    EXPECT_EQ(s->game.resumeGame(wrongPhase).problem, ResumeProblem::Damaged);
    // A daily date on a code that is not that day's puzzle.
    SavedGame notDaily = good;
    notDaily.daily = CivilDate{2026, 12, 7};
    EXPECT_NE(s->game.resumeGame(notDaily).problem, ResumeProblem::None);
    EXPECT_EQ(s->game.state(), before);
}

// A game kept by the version before the options were saved goes on with the options of today.
TEST_F(ResumeTest, AGameOfTheFirstFormatStillResumes) {
    SavedGame saved = *parseSavedGame(savedGame()).game;
    saved.options.reset();
    const std::string text = formatSavedGame(saved);
    ASSERT_EQ(text.rfind("Quorvel saved game 1\n", 0), 0u);
    auto s = session(5);
    ASSERT_EQ(resume(text, *s).problem, ResumeProblem::None);
    EXPECT_EQ(s->game.movesSincePuzzle(), saved.moves);
    EXPECT_EQ(s->game.options().dictionary, "Test");
}

TEST_F(ResumeTest, ADailyGameResumesAsADailyGame) {
    dir.writeDictionary("Common Words", generatedWords());
    auto s = session(3);
    s->game.apply(Move::daily({2026, 12, 7}));
    ASSERT_TRUE(s->game.state().isInPlay());
    s->game.apply(Move::shift(1, true));
    const std::string text = formatSavedGame(s->game.saveGame(0));
    auto again = session(4);
    ASSERT_EQ(resume(text, *again).problem, ResumeProblem::None);
    EXPECT_EQ(again->game.state(), s->game.state());
    again->game.apply(Move::of(Move::Kind::Solve));
    ASSERT_EQ(again->events.dailyResults.size(), 1u);
    EXPECT_EQ(again->events.count("record "), 0);
}

// An option changed as a player changes it: handicap, lock rule or Timed, by its move.
Move someOptionMove(Random& dice) {
    switch (dice.uniform(0, 2)) {
    case 0: return Move::setOption(Move::Option::Handicap, dice.uniform(-1, 1));
    case 1: return Move::setOption(Move::Option::Lock, dice.uniform(0, 3));
    default: return Move::setOption(Move::Option::Timed, dice.uniform(0, 1));
    }
}

// Random games, their options changed now and then before and after the save, saved at a
// random move, resumed in a new game that holds the player's options of the moment of saving,
// then given the same moves as the game that was never closed: the same states and events until
// the game ends (a win advances as it would have, a game made untimed stays untimed).
TEST_F(ResumeTest, AResumedGameGoesOnExactlyAsTheGameNeverClosed) {
    auto original = session(1);
    Random dice;
    RandomPlayer player(original->game, dice);
    int resumed = 0;
    for (std::uint32_t seed = 1; seed <= 300 && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        dice.reseed(seed * 31u + 7);
        original->random.reseed(seed);
        GameOptions o = original->game.options();
        o.handicap = dice.uniform(-1, 1);
        o.timed = dice.uniform(0, 1) == 1;
        o.lock = static_cast<LockRule>(dice.uniform(0, 3));
        player.eager = dice.uniform(0, 1) == 1;
        original->game.setOptions(o);
        const int level = dice.uniform(1, 4);
        original->game.apply(Move::pickerLevel(level));
        original->game.apply(Move::of(Move::Kind::NewPuzzle));
        const int movesBeforeSave = dice.uniform(0, 40);
        for (int m = 0; m < movesBeforeSave && original->game.state().isInPlay(); ++m) {
            if (dice.uniform(1, 6) == 1)
                player.apply(someOptionMove(dice));
            player.play(player.pick());
        }
        if (!original->game.state().isInPlay())
            continue;

        const SavedGame saved = original->game.saveGame(original->game.state().timerElapsedMs);
        const SavedGameRead read = parseSavedGame(formatSavedGame(saved));
        ASSERT_TRUE(read.game) << read.problem;
        ASSERT_EQ(*read.game, saved);
        auto next = session(seed + 1000); // another session: its own random source
        next->game.setOptions(original->game.options()); // as the settings kept them
        next->game.apply(Move::pickerLevel(level));
        const ResumeResult r = next->game.resumeGame(*read.game);
        ASSERT_EQ(r.problem, ResumeProblem::None) << r.message;
        ASSERT_EQ(next->game.state(), original->game.state());
        ++resumed;

        original->events.clear();
        next->events.clear();
        player.log.clear();
        for (int m = 0; m < 300 && original->game.state().isInPlay(); ++m) {
            if (dice.uniform(1, 10) == 1)
                player.apply(someOptionMove(dice));
            player.play(player.pick());
            for (const std::string& line : player.log)
                next->game.apply(*parseMove(line).move);
            player.log.clear();
            ASSERT_EQ(next->game.state(), original->game.state()) << "after move " << m;
        }
        EXPECT_EQ(next->events.events, original->events.events);
        if (original->game.state().isInPlay())
            original->game.apply(Move::of(Move::Kind::Solve));
    }
    EXPECT_GT(resumed, 150);
    std::printf("[ resumed ] %d games\n", resumed);
}

} // namespace
} // namespace quorvel
