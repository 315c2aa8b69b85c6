// Word utilities: the board's character filter, the field reader, whole-file reading and safe
// replacing, and the Windows-1252 conversion.
#include "ChildProcessSupport.h"
#include "WordsTestSupport.h"
#include "base/Cp1252.h"
#include "base/FileLocations.h"
#include "base/FilePaths.h"
#include "base/Files.h"
#include "base/Text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace quorvel;
using quorvel::test::ScratchFolder;

TEST(WordsFilterLetters, MapsAccentedLettersAndQuestionsTheRestOfTheRange) {
    EXPECT_EQ(filterLetters("QUORVEL"), "QUORVEL");
    EXPECT_EQ(filterLetters(""), "");
    const std::pair<int, int> letters[] = {{0x80, 0xC7}, {0x82, 0xC9}, {0x83, 0xC2}, {0x85, 0xC0},
                                           {0x87, 0xC7}, {0x88, 0xCA}, {0x89, 0xCB}, {0x8A, 0xC8},
                                           {0x8B, 0xCF}, {0x8C, 0xCE}, {0x93, 0xD4}, {0x95, 0xD2},
                                           {0x96, 0xDB}, {0x97, 0xD9}, {0xA0, 0xC1}};
    std::string others;
    for (int byte = 0x80; byte <= 0xBD; ++byte) {
        bool listed = false;
        for (auto [from, to] : letters)
            if (from == byte) {
                EXPECT_EQ(filterLetters(std::string(1, static_cast<char>(from))),
                          std::string(1, static_cast<char>(to)))
                    << std::hex << from;
                listed = true;
            }
        if (!listed)
            others += static_cast<char>(byte);
    }
    EXPECT_EQ(others.size(), 62u - 15u);
    EXPECT_EQ(filterLetters(others), std::string(others.size(), '?'));
    // Bytes outside 0x80..0xBD stay, whatever they are.
    const std::string kept = "A\x01\x7F\xBE\xC9\xE9\xFF";
    EXPECT_EQ(filterLetters(kept), kept);
    EXPECT_EQ(filterLetters("\x87"
                            "A\x90"),
              "\xC7"
              "A?");
}

TEST(WordsNextField, WalksCommaSeparatedFields) {
    std::string text = "a,,b";
    EXPECT_EQ(nextField(text), "a");
    EXPECT_EQ(nextField(text), "");
    EXPECT_EQ(nextField(text), "b");
    EXPECT_EQ(text, "");
    EXPECT_EQ(nextField(text), "");
    EXPECT_EQ(nextField(text), "");

    text = ",x";
    EXPECT_EQ(nextField(text), "x");
    text = "W,12,,3";
    EXPECT_EQ(nextField(text), "W");
    EXPECT_EQ(text, ",12,,3") << "the comma stays for the next call";
    EXPECT_EQ(nextField(text), "12");
    EXPECT_EQ(nextField(text), "");
    EXPECT_EQ(nextField(text), "3");
    text = ",";
    EXPECT_EQ(nextField(text), "");
    EXPECT_EQ(text, "");
}

class WordsFiles : public ::testing::Test {
protected:
    ScratchFolder scratch;

    std::size_t entries() const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(scratch.folder()))
            ++count;
        return count;
    }
};

TEST_F(WordsFiles, ReadThenWriteReproducesTheBytes) {
    std::string bytes = "line one\r\nline two\r\n";
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    const std::string path = scratch.file("copy");
    writeWholeFile(path, bytes);
    EXPECT_EQ(readWholeFile(path), bytes);
    writeWholeFile(path, readWholeFile(path));
    EXPECT_EQ(readWholeFile(path), bytes);
    writeWholeFile(path, "");
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(readWholeFile(path), "");
    EXPECT_EQ(entries(), 1u) << "no temporary file stays behind";
}

TEST_F(WordsFiles, MissingOrUncreatableFilesNameThePath) {
    const std::string missing = scratch.file("missing");
    EXPECT_FALSE(fileExists(missing));
    EXPECT_FALSE(fileExists(scratch.folder())) << "a folder is not a file";
    try {
        readWholeFile(missing);
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
    }
    const std::string nowhere = scratch.file("no/such/folder/file");
    try {
        writeWholeFile(nowhere, "x");
        FAIL();
    } catch (const FileError& error) {
        // The system's reason follows the message, so a full disk reads as such.
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file " + nowhere + ": No such file or directory");
    }
    EXPECT_THROW(writeWholeFile(scratch.folder(), "x"), FileError);
}

TEST_F(WordsFiles, FailedReplaceLeavesTheOldFileIntact) {
    // A folder in the way of the file: nothing of it is touched.
    const std::string path = scratch.file("stats.zq");
    std::filesystem::create_directories(path + "/inside");
    EXPECT_THROW(writeWholeFile(path, "new"), FileError);
    EXPECT_TRUE(std::filesystem::is_directory(path + "/inside"));
    EXPECT_EQ(entries(), 1u) << "the temporary file is removed again";

    const std::string kept = scratch.file("kept");
    writeWholeFile(kept, "old contents");
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
    writeWholeFile(kept, "new contents"); // the folder is writable, so the replace goes ahead
    EXPECT_EQ(readWholeFile(kept), "new contents");
#ifdef _WIN32
    // Windows has one read-only mark, which reads as no write permission for anyone.
    EXPECT_EQ(std::filesystem::status(kept).permissions() &
                  (std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                   std::filesystem::perms::others_write),
              std::filesystem::perms::none)
        << "the replaced file keeps its read-only mark";
#else
    EXPECT_EQ(std::filesystem::status(kept).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read)
        << "the replaced file keeps its permissions";
#endif
    std::filesystem::permissions(kept, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add); // Windows removes it then
}

#ifdef _WIN32
const bool g_waitRegistered = test::registerChildJob("wait", [](const std::string&) {
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
});
#endif

// A kill in the middle of a save once left its full-size temporary copy behind for good.
TEST_F(WordsFiles, TemporariesOfGoneWritersAreRemovedByTheNextWrite) {
    const std::string path = scratch.file("stats.zq");
    const std::string gone = path + ".tmp-999999999-12345"; // no process has this number
#ifdef _WIN32
    const test::ChildProcess running("wait", ""); // Windows has no process 1: a child of ours
    const std::string alive = path + ".tmp-" + std::to_string(running.id()) + "-12345";
#else
    const std::string alive = path + ".tmp-1-12345"; // process 1 always runs
#endif
    const std::string other = scratch.file("other.zq.tmp-999999999-1");
    const std::string foreign = path + ".tmp-mine";
    for (const std::string& file : {gone, alive, other, foreign})
        writeWholeFile(file, "partial");
    writeWholeFile(path, "new");
    EXPECT_FALSE(std::filesystem::exists(gone));
    EXPECT_TRUE(std::filesystem::exists(alive)) << "its writer may still be at work";
    EXPECT_TRUE(std::filesystem::exists(other)) << "another file's temporary is not ours";
    EXPECT_TRUE(std::filesystem::exists(foreign)) << "a name outside the pattern is kept";
    EXPECT_EQ(readWholeFile(path), "new");
    EXPECT_EQ(entries(), 4u);
}

// A player whose name is in another script has a folder outside Windows' narrow code page:
// every file there is read, replaced and found by its UTF-8 name, the folder tested writable.
TEST_F(WordsFiles, NamesOutsideTheCodePageAreKeptWhole) {
    const std::string name = "Zoë Ωμέγα 名前";
    const std::string folder = scratch.folder() + name + "/";
    std::filesystem::create_directories(filePath(folder + "zq"));
    EXPECT_TRUE(isWritableFolder(folder));
    const std::string stats = folder + "zq/stats.zq";
    writeWholeFile(stats, "2026-12-07,W,1,0,0,16,n,n,n\r\n");
    writeWholeFile(stats, "2026-12-08,W,2,0,0,16,n,n,n\r\n"); // a replace, not a first write
    EXPECT_TRUE(fileExists(stats));
    EXPECT_EQ(readWholeFile(stats), "2026-12-08,W,2,0,0,16,n,n,n\r\n") << "bytes as written";
    std::vector<std::string> listed;
    for (const auto& entry : std::filesystem::directory_iterator(filePath(folder + "zq")))
        listed.push_back(pathText(entry.path().filename()));
    EXPECT_EQ(listed, std::vector<std::string>{"stats.zq"}) << "no temporary file stays behind";
    EXPECT_EQ(pathText(filePath(folder).parent_path().filename()), name);
    EXPECT_EQ(pathText(filePath(stats)), stats) << "UTF-8 in, the same UTF-8 out";
}

#ifdef _WIN32
// A virus scanner or a backup may hold the player's file for a moment: the replace waits for
// it (up to a second), and a file held for longer fails the write and keeps its old contents.
TEST_F(WordsFiles, AFileHeldOpenForAMomentIsReplacedOnceLetGo) {
    const std::string path = scratch.file("stats.zq");
    writeWholeFile(path, "old");
    const auto holdOpen = [&] {
        return ::CreateFileW(filePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    };
    HANDLE held = holdOpen();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::CloseHandle(held);
    });
    EXPECT_NO_THROW(writeWholeFile(path, "new"));
    release.join();
    EXPECT_EQ(readWholeFile(path), "new");

    held = holdOpen();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(writeWholeFile(path, "newer"), FileError);
    ::CloseHandle(held);
    EXPECT_EQ(readWholeFile(path), "new");
    EXPECT_EQ(entries(), 1u) << "no temporary file stays behind";
}
#endif

TEST_F(WordsFiles, ReplacingThroughASymbolicLinkKeepsTheLink) {
    const std::string real = scratch.file("real.ini");
    const std::string link = scratch.file("link.ini");
    writeWholeFile(real, "old");
#ifdef _WIN32
    std::error_code refused;
    std::filesystem::create_symlink(real, link, refused);
    if (refused)
        GTEST_SKIP() << "this Windows account may not make symbolic links: " << refused.message();
#else
    std::filesystem::create_symlink(real, link);
#endif
    writeWholeFile(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readWholeFile(real), "new");
}

TEST(WordsCp1252, ConvertsBothWaysAndRefusesWhatItCannotHold) {
    EXPECT_EQ(cp1252ToUtf8("Caf\xE9 \x80 \x9F"), "Café € Ÿ");
    EXPECT_EQ(utf8ToCp1252("Café € Ÿ"), "Caf\xE9 \x80 \x9F");
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all) << "every byte round-trips";
    EXPECT_EQ(utf8ToCp1252("\xC5\x9D"), std::nullopt) << "ŝ has no Windows-1252 byte";
    EXPECT_EQ(utf8ToCp1252("😀"), std::nullopt);
    EXPECT_EQ(utf8ToCp1252("\xC3"), std::nullopt) << "truncated sequence";
    EXPECT_EQ(utf8ToCp1252("\xC0\xA9"), std::nullopt) << "overlong form";
    EXPECT_EQ(utf8ToCp1252("\xE9t\xE9"), std::nullopt) << "Latin-1 bytes are not UTF-8";
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), std::nullopt) << "surrogate";
}
