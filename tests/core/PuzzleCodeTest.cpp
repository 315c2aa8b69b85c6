// Puzzle codes as text: every field survives, and a code typed wrong is caught before anything
// else.
#include "model/PuzzleCode.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const std::vector<std::string> Installed = {"Animals", "Common Words", "Food"};

PuzzleSpec someSpec() {
    PuzzleSpec puzzleSpec;
    puzzleSpec.level = 137;
    puzzleSpec.dictionary = "Common Words";
    puzzleSpec.handicap = 1;
    puzzleSpec.lock = LockRule::Randomly;
    puzzleSpec.timed = true;
    puzzleSpec.seed = 0xDEADBEEF;
    puzzleSpec.dataCheck = 0xABCDE;
    return puzzleSpec;
}

TEST(PuzzleCode, EveryFieldRoundTripsAtItsLimits) {
    for (const int level : {1, 2, 137, MaxCodeLevel})
        for (const int handicap : {-1, 0, 1})
            for (const LockRule lock :
                 {LockRule::None, LockRule::Vowels, LockRule::First, LockRule::Randomly})
                for (const std::uint32_t seed : {0u, 1u, 0x80000000u, 0xFFFFFFFFu}) {
                    PuzzleSpec puzzleSpec = someSpec();
                    puzzleSpec.level = level;
                    puzzleSpec.handicap = handicap;
                    puzzleSpec.lock = lock;
                    puzzleSpec.seed = seed;
                    puzzleSpec.timed = (seed & 1) != 0;
                    puzzleSpec.dictionary = Installed[static_cast<std::size_t>(level) % 3];
                    puzzleSpec.dataCheck = seed & CodeDataCheckMask;
                    const std::string code = encodePuzzleCode(puzzleSpec);
                    const CodeRead read = decodePuzzleCode(code, Installed);
                    ASSERT_TRUE(read.puzzleSpec) << code << ": " << read.message;
                    EXPECT_EQ(*read.puzzleSpec, puzzleSpec) << code;
                    EXPECT_EQ(read.problem, CodeProblem::None);
                }
}

TEST(PuzzleCode, IsShortAndSafeToPaste) {
    const std::string code = encodePuzzleCode(someSpec());
    EXPECT_LE(code.size(), 24u);
    for (const char c : code)
        EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '-') << code;
    EXPECT_EQ(code.find_first_of("ILOU"), std::string::npos) << "letters read as others";
}

TEST(PuzzleCode, ReadsAsAPlayerMayTypeIt) {
    const PuzzleSpec puzzleSpec = someSpec();
    std::string code = encodePuzzleCode(puzzleSpec);
    std::string typed;
    for (const char c : code) {
        if (c == '-')
            continue; // dashes left out...
        // ...lower case, and the letters Crockford reads as digits
        typed += c == '0' ? 'o' : c == '1' ? 'l' : static_cast<char>(std::tolower(c));
    }
    const CodeRead read = decodePuzzleCode("  \t" + typed + " \r\n", Installed);
    ASSERT_TRUE(read.puzzleSpec) << typed;
    EXPECT_EQ(*read.puzzleSpec, puzzleSpec);
    EXPECT_TRUE(decodePuzzleCode("-" + code + "--", Installed).puzzleSpec);
}

TEST(PuzzleCode, EveryWrongDigitAndEverySwapIsMistyped) {
    const std::string code = encodePuzzleCode(someSpec());
    const std::string digits = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '-')
            continue;
        for (const char d : digits) {
            if (d == code[i])
                continue;
            std::string typo = code;
            typo[i] = d;
            EXPECT_EQ(decodePuzzleCode(typo, Installed).problem, CodeProblem::Mistyped) << typo;
        }
        std::size_t j = i + 1;
        if (j < code.size() && code[j] == '-')
            ++j;
        if (j < code.size() && code[j] != code[i]) {
            std::string swapped = code;
            std::swap(swapped[i], swapped[j]);
            EXPECT_EQ(decodePuzzleCode(swapped, Installed).problem, CodeProblem::Mistyped)
                << swapped;
        }
    }
}

TEST(PuzzleCode, ADigitTooManyOrTooFewOrAForeignCharacterIsMistyped) {
    const std::string code = encodePuzzleCode(someSpec());
    for (const std::string& bad :
         {code + "0", code.substr(1), code.substr(0, code.size() - 1),
          code.substr(0, 5) + "U" + code.substr(6), code.substr(0, 5) + "*" + code.substr(6),
          std::string(), std::string(5000, '0'), std::string("\0\xFF", 2)}) {
        const CodeRead read = decodePuzzleCode(bad, Installed);
        EXPECT_FALSE(read.puzzleSpec) << bad;
        EXPECT_EQ(read.problem, CodeProblem::Mistyped) << bad;
        EXPECT_EQ(read.message, codeProblemMessage(CodeProblem::Mistyped));
    }
}

TEST(PuzzleCode, ADictionaryNotInstalledIsNamedAsTheProblem) {
    PuzzleSpec puzzleSpec = someSpec();
    puzzleSpec.dictionary = "Birds";
    const CodeRead read = decodePuzzleCode(encodePuzzleCode(puzzleSpec), Installed);
    EXPECT_FALSE(read.puzzleSpec);
    EXPECT_EQ(read.problem, CodeProblem::UnknownDictionary);
    EXPECT_NE(read.message, codeProblemMessage(CodeProblem::Mistyped));
    // A typo is told first, whatever else is wrong.
    std::string typo = encodePuzzleCode(puzzleSpec);
    typo[0] = typo[0] == 'Z' ? 'Y' : 'Z';
    EXPECT_EQ(decodePuzzleCode(typo, Installed).problem, CodeProblem::Mistyped);
}

TEST(PuzzleCode, EachProblemHasItsOwnMessage) {
    std::vector<std::string> messages;
    for (const CodeProblem p : {CodeProblem::Mistyped, CodeProblem::UnknownDictionary,
                                CodeProblem::DataDiffers, CodeProblem::NoSuchLevel}) {
        const std::string m = codeProblemMessage(p);
        EXPECT_FALSE(m.empty());
        EXPECT_EQ(std::find(messages.begin(), messages.end(), m), messages.end()) << m;
        messages.push_back(m);
    }
}

TEST(PuzzleCode, TheDataCheckIsFixedBytesToFixedBits) {
    // FNV-1a: the same on every machine and build; a code made elsewhere must match here.
    EXPECT_EQ(dataCheckOf(""), 2166136261u);
    EXPECT_EQ(dataCheckOf("a"), 0xE40C292Cu);
    EXPECT_EQ(dataCheckOf("foobar"), 0xBF9CF968u);
}

} // namespace
} // namespace quorvel
