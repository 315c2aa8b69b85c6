// The settings file keeps what it does not own, reads sloppy values safely and writes safely.
#include "base/Files.h"
#include "records/DayNumber.h"
#include "records/IniFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;
using quorvel::IniFile;
using quorvel::readWholeFile;
using quorvel::writeWholeFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder = fs::temp_directory_path() / ("quorvel-ini-" + std::to_string(random()));
        fs::create_directories(folder);
        path = (folder / "RQN_ZQ.INI").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    std::string path;
};

// A file as a player edits it on Windows: CR LF, mixed-case names, a comment, two sections.
const std::string kHandWritten = "; my settings\r\n"
                                 "[OPTIONS]\r\n"
                                 "level=7\r\n"
                                 "  Dictionary = Fun Words  \r\n"
                                 "; keep this note\r\n"
                                 "Music=1\r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "Level=99\r\n"
                                 "Mine=keep me\r\n";

TEST_F(IniFileTest, NamesMatchWithoutRegardToCaseAndOnlyInTheirSection) {
    writeWholeFile(path, kHandWritten);
    const IniFile ini(path);
    EXPECT_EQ(ini.readInteger("Options", "Level", 1), 7);
    EXPECT_EQ(ini.readInteger("other", "LEVEL", 1), 99);
    EXPECT_EQ(ini.readString("Options", "dictionary", "Common Words"), "Fun Words");
    EXPECT_EQ(ini.readString("Options", "Mine", "absent"), "absent");
    EXPECT_TRUE(ini.readBool("Options", "music", false));
    EXPECT_EQ(ini.readString("Nowhere", "Level", "d"), "d");
}

TEST_F(IniFileTest, WritesChangeOnlyTheirOwnLines) {
    writeWholeFile(path, kHandWritten);
    IniFile ini(path);
    ASSERT_TRUE(ini.writeInteger("Options", "Level", 12));
    ASSERT_TRUE(ini.writeString("Options", "DICTIONARY", "Common Words"));
    ASSERT_TRUE(
        ini.writeBool("Options", "Sound", true)); // new: goes after Music, not after [Other]
    EXPECT_EQ(readWholeFile(path), "; my settings\r\n"
                                   "[OPTIONS]\r\n"
                                   "level=12\r\n"
                                   "  Dictionary =Common Words\r\n"
                                   "; keep this note\r\n"
                                   "Music=1\r\n"
                                   "Sound=1\r\n"
                                   "\r\n"
                                   "[Other]\r\n"
                                   "Level=99\r\n"
                                   "Mine=keep me\r\n");
    EXPECT_EQ(IniFile(path).readInteger("Options", "Level", 0), 12);
}

TEST_F(IniFileTest, LineEndingsOfExistingLinesAreKept) {
    writeWholeFile(path, "[Options]\nA=1\nB=2");
    IniFile ini(path);
    ASSERT_TRUE(ini.writeInteger("Options", "A", 3));
    ASSERT_TRUE(ini.writeInteger("Options", "B", 4));
    ASSERT_TRUE(ini.writeInteger("Options", "C", 5)); // after a last line with no line ending
    EXPECT_EQ(readWholeFile(path), "[Options]\nA=3\nB=4\r\nC=5\r\n");
}

// Files saved by other editors: a lone CR or CR CR LF once read as one long line, so every key
// read as its default and writes appended keys the file already held.
TEST_F(IniFileTest, EveryKindOfLineEndEndsAValue) {
    for (const std::string end : {"\r", "\r\r\n", "\n", "\r\n"}) {
        const std::string text = "[Options]" + end + "Level=7" + end + "Music=1" + end;
        writeWholeFile(path, text);
        IniFile ini(path);
        EXPECT_EQ(ini.readInteger("Options", "Level", 1), 7) << testing::PrintToString(end);
        EXPECT_TRUE(ini.readBool("Options", "Music", false));
        ASSERT_TRUE(ini.writeInteger("Options", "Level", 12));
        ASSERT_TRUE(ini.writeInteger("Options", "Size", 2));
        EXPECT_EQ(readWholeFile(path),
                  "[Options]" + end + "Level=12" + end + "Music=1" + end + "Size=2\r\n");
    }
    writeWholeFile(path, "[Options]\rLevel=3"); // a last line without an ending
    IniFile ini(path);
    ASSERT_TRUE(ini.writeInteger("Options", "Size", 1));
    EXPECT_EQ(readWholeFile(path), "[Options]\rLevel=3\r\nSize=1\r\n");
}

// A name with surrounding blanks is stored without them, so it must be found without them.
TEST_F(IniFileTest, NamesWithBlanksReadBackAndAddNothingTwice) {
    IniFile ini(path);
    for (int round = 0; round < 3; ++round)
        ASSERT_TRUE(ini.writeInteger(" Options", "Level ", 5 + round));
    EXPECT_EQ(ini.readInteger(" Options ", " Level", 1), 7);
    EXPECT_EQ(ini.readInteger("Options", "Level", 1), 7);
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nLevel=7\r\n");
}

// The shut-down pass: many writes, one replacement, the same bytes as writing one by one.
TEST_F(IniFileTest, BatchWritesOnceWithTheBytesOfSingleWrites) {
    writeWholeFile(path, kHandWritten);
    IniFile single(path);
    const auto writeAll = [](IniFile& ini) {
        bool ok = ini.writeInteger("Options", "Level", 3);
        ok = ini.writeString("Options", "Dictionary", "Fun") && ok;
        ok = ini.writeBool("New", "Flag", true) && ok;
        ok = ini.writeInteger("Options", "Size", 2) && ok;
        return ok;
    };
    ASSERT_TRUE(writeAll(single));
    const std::string expected = readWholeFile(path);

    writeWholeFile(path, kHandWritten);
    IniFile batched(path);
    batched.beginBatch();
    ASSERT_TRUE(writeAll(batched));
    EXPECT_EQ(batched.readInteger("Options", "Size", 0), 2); // reads see the held-back text
    EXPECT_EQ(readWholeFile(path), kHandWritten);            // nothing written yet
    ASSERT_TRUE(batched.commitBatch());
    EXPECT_EQ(readWholeFile(path), expected);

    // A batch that cannot be written says why and leaves no file behind.
    IniFile nowhere((folder / "missing" / "RQN_ZQ.INI").string());
    nowhere.beginBatch();
    EXPECT_TRUE(nowhere.writeInteger("Options", "Level", 2));
    EXPECT_FALSE(nowhere.commitBatch());
    EXPECT_FALSE(nowhere.lastError().empty());
    EXPECT_EQ(nowhere.readInteger("Options", "Level", 1), 1);
}

TEST_F(IniFileTest, MissingSectionIsAddedAtTheEnd) {
    writeWholeFile(path, "[Other]\r\nX=1");
    IniFile ini(path);
    ASSERT_TRUE(ini.writeString("Options", "Style", "panel7"));
    EXPECT_EQ(readWholeFile(path), "[Other]\r\nX=1\r\n[Options]\r\nStyle=panel7\r\n");
}

TEST_F(IniFileTest, SectionWithoutKeysTakesTheKeyRightAfterItsHeader) {
    writeWholeFile(path, "[Options]\r\n\r\n[Other]\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.writeInteger("Options", "Size", 2));
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nSize=2\r\n\r\n[Other]\r\n");
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyOfANameWin) {
    writeWholeFile(path, "[Options]\r\nA=1\r\nA=2\r\n[Options]\r\nA=3\r\nB=4\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.readInteger("Options", "A", 0), 1);
    EXPECT_EQ(ini.readInteger("Options", "B", 0), 0);
    ASSERT_TRUE(ini.writeInteger("Options", "A", 9));
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nA=9\r\nA=2\r\n[Options]\r\nA=3\r\nB=4\r\n");
}

TEST_F(IniFileTest, ValuesThatAreNotIntegersReadAsTheDefault) {
    const std::pair<const char*, int> cases[] = {{"12", 12},
                                                 {" -7 ", -7},
                                                 {"+3", 3},
                                                 {"0", 0},
                                                 {"12abc", -1},
                                                 {"", -1},
                                                 {"0x10", -1},
                                                 {"1.5", -1},
                                                 {"+-5", -1},
                                                 {"- 5", -1},
                                                 {"99999999999", -1},
                                                 {"2147483647", 2147483647},
                                                 {"-2147483648", -2147483647 - 1},
                                                 {"\"42\"", 42}};
    for (const auto& [text, expected] : cases) {
        writeWholeFile(path, std::string("[Options]\r\nN=") + text + "\r\n");
        EXPECT_EQ(IniFile(path).readInteger("Options", "N", -1), expected) << "value " << text;
    }
}

TEST_F(IniFileTest, BooleansAreAnyNonZeroInteger) {
    writeWholeFile(path, "[Options]\r\nA=2\r\nB=0\r\nC=yes\r\nD=-1\r\n");
    const IniFile ini(path);
    EXPECT_TRUE(ini.readBool("Options", "A", false));
    EXPECT_FALSE(ini.readBool("Options", "B", true));
    EXPECT_TRUE(ini.readBool("Options", "C", true)); // not an integer: the default
    EXPECT_FALSE(ini.readBool("Options", "C", false));
    EXPECT_TRUE(ini.readBool("Options", "D", false));
}

TEST_F(IniFileTest, TextLosesBlanksAndOnePairOfQuotes) {
    writeWholeFile(path, "\xEF\xBB\xBF[Options]\r\nA= \"Tahoma\" \r\nB='x'\r\nC=\"half\r\nD=\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.readString("Options", "A", ""), "Tahoma"); // the mark before [ is not a name
    EXPECT_EQ(ini.readString("Options", "B", ""), "x");
    EXPECT_EQ(ini.readString("Options", "C", ""), "\"half");
    EXPECT_EQ(ini.readString("Options", "D", "default"), ""); // present but empty
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndAppearsAtTheFirstWrite) {
    IniFile ini(path);
    EXPECT_EQ(ini.readInteger("Options", "Size", 3), 3);
    EXPECT_FALSE(fs::exists(path));
    ASSERT_TRUE(ini.writeBool("Options", "Music", false));
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nMusic=0\r\n");
}

TEST_F(IniFileTest, ValuesAndNamesCannotBreakTheFile) {
    IniFile ini(path);
    ASSERT_TRUE(ini.writeString("Options", "UserLevel", "two\r\nLevel=5"));
    EXPECT_EQ(ini.readString("Options", "UserLevel", ""), "two  Level=5");
    EXPECT_EQ(ini.readInteger("Options", "Level", 1), 1);
    for (const char* key : {"A=B", "[X", ";X", "", "  ", "A\nB"}) {
        EXPECT_FALSE(ini.writeInteger("Options", key, 1)) << key;
        EXPECT_FALSE(ini.lastError().empty());
    }
    EXPECT_FALSE(ini.writeInteger("Opt]ions", "A", 1));
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nUserLevel=two  Level=5\r\n");
}

TEST_F(IniFileTest, ChangesMadeByOthersAreSeen) {
    IniFile ini(path);
    writeWholeFile(path, "[Options]\r\nLevel=4\r\n");
    EXPECT_EQ(ini.readInteger("Options", "Level", 1), 4);
    writeWholeFile(path, "[Options]\r\nLevel=15\r\n");
    EXPECT_EQ(ini.readInteger("Options", "Level", 1), 15);
    ASSERT_TRUE(ini.writeInteger("Options", "Size", 1));
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nLevel=15\r\nSize=1\r\n");
}

// Start-up stores the level it has just read: that must not wait for the disk, and a value
// changed by another program meanwhile must still be overwritten.
TEST_F(IniFileTest, StoringTheValueTheFileHoldsLeavesTheFileAlone) {
    writeWholeFile(path, kHandWritten);
    // Whole seconds, the finest time std::filesystem sets on Windows.
    const auto longAgo = std::chrono::floor<std::chrono::seconds>(
        fs::file_time_type::clock::now() - std::chrono::hours(48));
    fs::last_write_time(path, longAgo);
    IniFile ini(path);
    ASSERT_TRUE(ini.writeInteger("Options", "Level", 7));
    ASSERT_TRUE(ini.writeBool("Options", "Music", true));
    EXPECT_EQ(fs::last_write_time(path), longAgo);
    EXPECT_EQ(readWholeFile(path), kHandWritten);

    writeWholeFile(path, "[Options]\r\nLevel=3\r\n");
    fs::last_write_time(path, longAgo - std::chrono::hours(1));
    ASSERT_TRUE(ini.writeInteger("Options", "Level", 7));
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nLevel=7\r\n");
    ASSERT_TRUE(ini.writeInteger("Options", "Music", 0)); // a new key with a default value
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nLevel=7\r\nMusic=0\r\n");
}

TEST_F(IniFileTest, AFailedWriteIsReportedAndLeavesNothingBehind) {
    IniFile ini((folder / "no such folder" / "RQN_ZQ.INI").string());
    EXPECT_FALSE(ini.writeInteger("Options", "Level", 2));
    EXPECT_NE(ini.lastError().find("RQN_ZQ.INI"), std::string::npos);
    EXPECT_EQ(ini.readInteger("Options", "Level", 1), 1);
    IniFile onFolder(folder.string()); // the path names a folder, not a file
    EXPECT_FALSE(onFolder.writeInteger("Options", "Level", 2));
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(IniFileTest, BinaryFileWithoutLineBreaksIsReadAndKept) {
    std::string noise(4 * 1024 * 1024, '\0');
    std::mt19937 random(7);
    for (char& c : noise)
        c = static_cast<char>(random() % 256);
    for (char& c : noise)
        if (c == '\n')
            c = 'x';
    writeWholeFile(path, noise);
    IniFile ini(path);
    EXPECT_EQ(ini.readInteger("Options", "Level", 5), 5);
    ASSERT_TRUE(ini.writeInteger("Options", "Level", 6));
    const std::string after = readWholeFile(path);
    EXPECT_EQ(after, noise + "\r\n[Options]\r\nLevel=6\r\n");
    EXPECT_EQ(ini.readInteger("Options", "Level", 5), 6);
}

TEST_F(IniFileTest, OversizedFileReadsAsDefaultsAndIsNeverReplaced) {
    {
        std::ofstream out(path, std::ios::binary);
        out << "[Options]\r\nLevel=9\r\n";
    }
    fs::resize_file(path, IniFile::kMaxSize + 1); // sparse: cheap to make
    IniFile ini(path);
    EXPECT_EQ(ini.readInteger("Options", "Level", 1), 1);
    EXPECT_FALSE(ini.writeInteger("Options", "Level", 2));
    EXPECT_FALSE(ini.lastError().empty());
    EXPECT_EQ(fs::file_size(path), IniFile::kMaxSize + 1);
}

TEST_F(IniFileTest, FirstRunCopiesTheTemplateByteForByte) {
    const std::string def = (folder / "RQN_ZQ.DEF").string();
    const std::string bytes = std::string("[Options]\r\nLevel=1\n\x80\xFF\0tail", 25);
    writeWholeFile(def, bytes);
    EXPECT_TRUE(IniFile::createFromTemplate(path, def));
    EXPECT_EQ(readWholeFile(path), bytes);

    writeWholeFile(path, "[Options]\r\nLevel=8\r\n"); // an existing file is never overwritten
    EXPECT_FALSE(IniFile::createFromTemplate(path, def));
    EXPECT_EQ(IniFile(path).readInteger("Options", "Level", 1), 8);

    const std::string other = (folder / "other.ini").string();
    EXPECT_FALSE(IniFile::createFromTemplate(other, (folder / "missing.def").string()));
    EXPECT_FALSE(fs::exists(other));
}

TEST(DayNumber, CountsDaysFromTheLastDaysOf1899) {
    const struct {
        int year, month, day, expected;
    } cases[] = {{1899, 12, 30, 0},    {1899, 12, 31, 1},   {1900, 1, 1, 2},
                 {1900, 3, 1, 61},     {2000, 1, 1, 36526}, {2000, 2, 29, 36585},
                 {2026, 12, 7, 46363}, {1800, 1, 1, -36522}};
    for (const auto& c : cases)
        EXPECT_EQ(quorvel::dayNumber(c.year, c.month, c.day), c.expected)
            << c.year << "-" << c.month << "-" << c.day;
}

} // namespace
