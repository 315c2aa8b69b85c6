// quorvel-tool's dictionary commands, run as a program: build, dump and the word-list rebuild.
#include "ToolRunSupport.h"
#include "WordsTestSupport.h"
#include "base/FilePaths.h"
#include "base/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quorvel;
using quorvel::test::ScratchFolder;

namespace {

class WordsTool : public ::testing::Test {
protected:
    ScratchFolder scratch;
    TempProgramFolder runFolder; // holds the tool's standard input and error

    ToolRun tool(const std::string& arguments) { return runTool(runFolder, arguments); }
};

// Accents, commas in a definition, a backslash and an inner carriage return, and attributes
// from all four slices given in mixed case.
const char* const kInput = "\xEF\xBB\xBF"
                           "ÉCLAIR\tA pastry, long and thin, with cream\tFood, city\r\n"
                           "GARÇON\tA waiter\\boy\rof old\tlastname,Species,User28,Attr032\n"
                           "\n"
                           "SUN\t\n";

const char* const kDump = "ÉCLAIR\tA pastry, long and thin, with cream\t\t\t\t\t\t\t0,14\n"
                          "GARÇON\tA waiter\\\\boy\\rof old\t\t\t\t\t\t\t31,32,80,127\n"
                          "SUN\t\t\t\t\t\t\t\t\n";

} // namespace

// File names reach the tool as UTF-8 on every system (on Windows through the wide command line).
TEST_F(WordsTool, PathsOutsideTheCodePageArriveWhole) {
    const std::string folder = scratch.folder() + "Zoë 名前/";
    std::filesystem::create_directories(filePath(folder));
    writeWholeFile(folder + "ïn.txt", kInput);
    const ToolRun build = tool("dic build " + shellQuoted(folder + "ïn.txt") + " " +
                               shellQuoted(folder + "öut.dic"));
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_TRUE(fileExists(folder + "öut.dic"));
    EXPECT_EQ(tool("dic dump " + shellQuoted(folder + "öut.dic")).out, kDump);
}

TEST_F(WordsTool, BuildThenDumpRoundTrips) {
    writeWholeFile(scratch.file("in.txt"), kInput);
    const std::string dic = scratch.file("out.dic");
    const ToolRun build =
        tool("dic build " + shellQuoted(scratch.file("in.txt")) + " " + shellQuoted(dic));
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(build.out, "");
    const ToolRun dump = tool("dic dump " + shellQuoted(dic));
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, kDump);

    Dictionary loaded;
    loaded.loadFromFile(dic);
    ASSERT_EQ(loaded.items().count(), 3);
    EXPECT_EQ(loaded.items()[0].word, "\xC9"
                                   "CLAIR")
        << "stored in Windows-1252";

    const ToolRun keyed = tool("dic build " + shellQuoted(scratch.file("in.txt")) + " " +
                               shellQuoted(scratch.file("keyed.dic")) + " --key " + shellQuoted("clé"));
    ASSERT_EQ(keyed.status, 0) << keyed.err;
    EXPECT_EQ(tool("dic dump " + shellQuoted(scratch.file("keyed.dic")) + " --key " + shellQuoted("clé")).out,
              kDump);
    const ToolRun unkeyed = tool("dic dump " + shellQuoted(scratch.file("keyed.dic")));
    EXPECT_EQ(unkeyed.status, 1);
    EXPECT_EQ(unkeyed.out, "");
    EXPECT_EQ(unkeyed.err, scratch.file("keyed.dic") + ": Unable to load the Knowledge Base\n");
}

TEST_F(WordsTool, BadBuildInputNamesTheLineAndWritesNothing) {
    const std::string out = scratch.file("out.dic");
    writeWholeFile(out, "previous contents");
    const std::pair<const char*, const char*> cases[] = {
        {"CAT\tanimal\nDOG\tanimal\tFood,Towns\n", "Line 2: unknown attribute \"Towns\""},
        {"CAT\tanimal\nDOG\tanimal\nŜIP\tboat\n", "Line 3:"},
        {"CAT\tanimal 😀\n", "Line 1:"},
        {"CAT animal\n", "Line 1:"},
    };
    for (const auto& [input, message] : cases) {
        writeWholeFile(scratch.file("in.txt"), input);
        const ToolRun build =
            tool("dic build " + shellQuoted(scratch.file("in.txt")) + " " + shellQuoted(out));
        EXPECT_EQ(build.status, 1) << input;
        EXPECT_NE(build.err.find(message), std::string::npos) << build.err;
        EXPECT_EQ(readWholeFile(out), "previous contents") << input;
    }
    const ToolRun missing =
        tool("dic build " + shellQuoted(scratch.file("none.txt")) + " " + shellQuoted(out));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Cannot open file " + scratch.file("none.txt") + "\n");
}

// Input saved with lone CR line ends once read as one line and named a nonsense first line.
TEST_F(WordsTool, LoneCarriageReturnsEndLinesInATextWithoutLineFeeds) {
    const std::string out = scratch.file("out.dic");
    writeWholeFile(scratch.file("in.txt"), "CAT\tanimal\rDOG\tanimal\r\rSUN\tstar\r");
    ToolRun run = tool("dic build " + shellQuoted(scratch.file("in.txt")) + " " + shellQuoted(out));
    ASSERT_EQ(run.status, 0) << run.err;
    run = tool("dic dump " + shellQuoted(out));
    EXPECT_EQ(run.out, "CAT\tanimal\t\t\t\t\t\t\t\nDOG\tanimal\t\t\t\t\t\t\t\n"
                       "SUN\tstar\t\t\t\t\t\t\t\n");
    writeWholeFile(scratch.file("in.txt"), "CAT\tanimal\rDOG animal\r");
    run = tool("dic build " + shellQuoted(scratch.file("in.txt")) + " " + shellQuoted(out));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Line 2:"), std::string::npos) << run.err;
}

// The game's load message, after the name of the file it is about.
TEST_F(WordsTool, DumpOfAMissingOrDamagedFileNamesTheFile) {
    const std::string none = scratch.file("none.dic");
    const ToolRun missing = tool("dic dump " + shellQuoted(none));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, none + ": Unable to create stream: no such file\n");
    const ToolRun folder = tool("dic dump " + shellQuoted(scratch.folder()));
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.err.rfind(scratch.folder() + ": Unable to create stream: ", 0), 0u)
        << folder.err;
    writeWholeFile(scratch.file("bad.dic"), "TPF0\x0Etrunc");
    const ToolRun damaged = tool("dic dump " + shellQuoted(scratch.file("bad.dic")));
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.err, scratch.file("bad.dic") + ": Unable to load the Knowledge Base\n");
}

TEST_F(WordsTool, WordListsAreRebuiltIntoTheFolder) {
    writeWholeFile(scratch.file("in.txt"), "CAT\tx\nHOUSE\tx\nTREE\tx\nDOG\tx\nELEPHANT\tx\n");
    ASSERT_EQ(tool("dic build " + shellQuoted(scratch.file("in.txt")) + " " +
                   shellQuoted(scratch.file("w.dic")))
                  .status,
              0);
    const ToolRun run = tool("wordlists " + shellQuoted(scratch.file("w.dic")) + " " +
                             shellQuoted(scratch.file("lists")));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readWholeFile(scratch.file("lists/W3")), "CATDOG");
    EXPECT_EQ(readWholeFile(scratch.file("lists/W4")), "TREE");
    EXPECT_EQ(readWholeFile(scratch.file("lists/W5")), "HOUSE");
    const ToolRun missing = tool("wordlists " + shellQuoted(scratch.file("none.dic")) + " " +
                                 shellQuoted(scratch.file("lists")));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, scratch.file("none.dic") + ": Unable to create stream: no such file\n");
}
