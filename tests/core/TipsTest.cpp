// The tip of the day: finding tips by marker, the counter running out, missing and damaged files.
#include "GameTestSupport.h"

#include "base/Files.h"
#include "records/Tips.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const std::string ThreeTips = "Tips for testing\r\n"
                              "-1\r\nFirst\r\nOne.\r\n\r\n"
                              "-2\r\nSecond\r\nTwo.\r\n\r\n"
                              "-3\r\nThird\r\nThree.\r\n";

TEST(Tips, TwoLineTipKeepsItsSpacesExactly) {
    const auto tip = findTip("-1\r\nTitle\r\nfirst\r\nsecond\r\n\r\n-2\r\nNext\r\n", 1);
    ASSERT_TRUE(tip);
    EXPECT_EQ(tip->title, "Title");
    // One space before each line, and one more for the empty line that ends the tip.
    EXPECT_EQ(tip->text, " first second ");
}

TEST(Tips, MarkersAreWholeLinesAndLineEndsMayBeMixed) {
    const std::string text = "intro -1\n-10\nTen\nten.\n\n-1\rOne\r\none.\n";
    EXPECT_EQ(findTip(text, 1)->title, "One");
    EXPECT_EQ(findTip(text, 1)->text, " one.");
    EXPECT_EQ(findTip(text, 10)->title, "Ten");
    EXPECT_FALSE(findTip(text, 2));
    EXPECT_FALSE(findTip(text, 0));
}

TEST(Tips, MarkerAsLastLineCountsAsMissing) {
    EXPECT_FALSE(findTip("-1\r\nOne\r\n\r\n-2", 2));
    EXPECT_FALSE(findTip("-1\r\nOne\r\n\r\n-2\r\n", 2));
    // A title with nothing after it is still a tip, with no text.
    const auto bare = findTip("-2\r\nOnly a title", 2);
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->text, "");
}

TEST(Tips, LastTipAtTheEndShowsTheNoticeAndStopsTheTipsAtStartup) {
    TipOfTheDay tips("unused/");
    tips.setCounter(3);
    tips.next(ThreeTips);
    const TipState& s = tips.state();
    EXPECT_EQ(s.title, "Oops...");
    EXPECT_EQ(s.text.rfind("Sorry, no (more) tips are available.", 0), 0u);
    EXPECT_FALSE(s.nextEnabled);
    EXPECT_FALSE(s.showAtStartup);
    EXPECT_EQ(s.counter, 0); // stored as LastTip=0
    EXPECT_FALSE(s.closeDialog);
    // The next request starts over at tip 1.
    tips.next(ThreeTips);
    EXPECT_EQ(tips.state().title, "First");
    EXPECT_TRUE(tips.state().nextEnabled);
    EXPECT_FALSE(tips.state().showAtStartup); // only the player checks the box again
}

TEST(Tips, NextTipWalksTheTipsAndKeepsTheLastOneShownAtTheEnd) {
    TipOfTheDay tips("unused/");
    tips.next(ThreeTips);
    tips.next(ThreeTips);
    EXPECT_EQ(tips.state().title, "Second");
    EXPECT_EQ(tips.state().text, " Two. ");
    EXPECT_EQ(tips.state().counter, 2);
    tips.next(ThreeTips);
    tips.next(ThreeTips);
    EXPECT_EQ(tips.state().title, "Third"); // kept when tip 4 is missing
    EXPECT_EQ(tips.state().counter, 0);
}

TEST(Tips, MissingFileClosesTheDialogAndUnchecksTheBox) {
    TempProgramFolder dir;
    TipOfTheDay tips(dir.folder());
    tips.setCounter(7);
    tips.next();
    EXPECT_TRUE(tips.state().closeDialog);
    EXPECT_FALSE(tips.state().showAtStartup);
    EXPECT_FALSE(tips.state().nextEnabled);
    EXPECT_EQ(tips.state().counter, 0);

    dir.write("zq/TIPS.TXT", ThreeTips);
    tips.next();
    EXPECT_FALSE(tips.state().closeDialog);
    EXPECT_EQ(tips.state().title, "First");
}

TEST(Tips, CounterIsSixteenBitAndStoredValuesOutOfRangeReadAsZero) {
    TipOfTheDay tips("unused/");
    tips.setCounter(65535);
    tips.next(std::string("-0\r\nZero\r\n"));
    EXPECT_EQ(tips.state().counter, 0); // wrapped to 0; no tip numbers 0, so it starts over
    tips.setCounter(-4);
    EXPECT_EQ(tips.state().counter, 0);
    tips.setCounter(70000);
    EXPECT_EQ(tips.state().counter, 0);
}

TEST(Tips, DamagedFilesNeverThrow) {
    TipOfTheDay tips("unused/");
    for (const std::string& text :
         {std::string(), std::string("\0\0\r\r\n", 5), std::string("-1"), std::string("-1\n"),
          std::string(100000, '-'), std::string("-1\r\n") + std::string(200000, '\n')}) {
        tips.setCounter(0);
        EXPECT_NO_THROW(tips.next(text));
    }
}

// The shipped tips are found by number, so a gap would end the tips early.
TEST(Tips, ShippedTipsAreNumberedWithoutGapsAndAllHaveText) {
    const std::string text = readWholeFile(std::string(QUORVEL_SOURCE_DIR) + "/data/zq/TIPS.TXT");
    TipOfTheDay tips("unused/");
    int shown = 0;
    for (;;) {
        tips.next(text);
        if (!tips.state().nextEnabled)
            break;
        ++shown;
        EXPECT_FALSE(tips.state().title.empty()) << "tip " << shown;
        EXPECT_GT(tips.state().text.size(), 40u) << "tip " << shown;
        EXPECT_LT(tips.state().text.size(), 400u) << "tip " << shown << " is too long to read";
    }
    EXPECT_GE(shown, 30);
    // Nothing numbered beyond the end of the walk.
    EXPECT_FALSE(findTip(text, shown + 2));
    EXPECT_FALSE(findTip(text, shown + 10));
}

} // namespace
} // namespace quorvel
