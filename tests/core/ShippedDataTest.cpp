// The data the game ships (word lists, levels, dictionaries) is well formed as committed.
#include <gtest/gtest.h>

#include "ProcessSupport.h"
#include "model/Layouts.h"
#include "words/WordLists.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string dataFolder = std::string(QUORVEL_SOURCE_DIR) + "/data/";

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool isUpperWord(const std::string& word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end - begin));
        if (end == std::string::npos)
            return parts;
        begin = end + separator.size();
    }
}

// ---------------------------------------------------------------- word lists

class ShippedWordList : public ::testing::TestWithParam<int> {};

TEST_P(ShippedWordList, HoldsDistinctUpperCaseWordsOfItsLengthThatTheGameAccepts) {
    const std::size_t n = static_cast<std::size_t>(GetParam());
    const std::string list = readFile(dataFolder + "zq/W" + std::to_string(n));
    ASSERT_GT(list.size(), 0u);
    ASSERT_EQ(list.size() % n, 0u) << "a word is cut short";
    EXPECT_TRUE(isUpperWord(list)) << "only A-Z, no separators or line ends";

    // The game takes a word's first occurrence only, so a listed word that first turns up
    // across two neighbours would never be accepted.
    quorvel::WordLists lists;
    lists.load(dataFolder);
    std::set<std::string> seen;
    for (std::size_t at = 0; at < list.size(); at += n) {
        const std::string word = list.substr(at, n);
        EXPECT_TRUE(seen.insert(word).second) << "repeated: " << word;
        EXPECT_TRUE(lists.isListedWord(word)) << "never accepted: " << word;
    }
    // Enough alternatives to matter on a board of short words.
    EXPECT_GE(seen.size(), 500u);
}

INSTANTIATE_TEST_SUITE_P(ThreeFourFive, ShippedWordList, ::testing::Values(3, 4, 5));

// ---------------------------------------------------------------- levels

struct ShippedLayoutsFile : ::testing::Test {
    std::string text = readFile(dataFolder + "zq/formats");
    std::vector<std::string> lines; // without line ends; the header first

    void SetUp() override {
        ASSERT_GE(text.size(), 2u);
        ASSERT_EQ(text.substr(text.size() - 2), "\r\n") << "the last line ends in CR LF";
        lines = split(text.substr(0, text.size() - 2), "\r\n");
    }
};

TEST_F(ShippedLayoutsFile, EveryLineEndsInCrLf) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << "line " << i + 1;
    }
}

TEST_F(ShippedLayoutsFile, HeaderChecksumMatchesTheExaminedLines) {
    const std::string& header = lines.front();
    ASSERT_GT(header.size(), 5u);
    const std::string number = header.substr(5);
    ASSERT_TRUE(std::all_of(number.begin(), number.end(), ::isdigit)) << header;

    // Each examined line adds its character codes and 1-based positions; the
    // second and later rows of a drawn layout are not examined.
    long sum = 0;
    bool inDrawn = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i]; // shipped lines are trimmed and upper case
        if (line.empty()) {
            inDrawn = false;
            continue;
        }
        if (inDrawn)
            continue;
        for (std::size_t k = 0; k < line.size(); ++k)
            sum += static_cast<unsigned char>(line[k]) + static_cast<long>(k) + 1;
        inDrawn = line[0] == 'X' || line[0] == '-';
    }
    EXPECT_EQ(std::stol(number), sum);
}

TEST_F(ShippedLayoutsFile, LayoutsStayWithinTheBoardAndHoldRealWords) {
    int levels = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty())
            continue;
        ++levels;
        if (std::isdigit(static_cast<unsigned char>(line[0]))) {
            ASSERT_EQ(line.size(), 4u) << "line " << i + 1;
            const int columns = std::stoi(line.substr(0, 2));
            const int rows = std::stoi(line.substr(2, 2));
            EXPECT_TRUE(columns >= 3 && columns <= 20 && rows >= 1 && rows <= 20 &&
                        columns * rows <= 300)
                << line;
            continue;
        }
        ASSERT_TRUE(line[0] == 'X' || line[0] == '-') << "line " << i + 1 << ": " << line;
        std::size_t rows = 0;
        for (; i < lines.size() && !lines[i].empty(); ++i, ++rows) {
            const std::string& row = lines[i];
            EXPECT_EQ(row.size(), line.size())
                << "line " << i + 1 << " is not as wide as the first";
            EXPECT_EQ(row.find_first_not_of("X-"), std::string::npos) << row;
            for (const std::string& run : split(row, "-")) {
                if (!run.empty()) {
                    EXPECT_GE(run.size(), 3u) << "line " << i + 1 << ": runs of 1 or 2 are gaps";
                    EXPECT_LE(run.size(), 12u) << "line " << i + 1;
                }
            }
        }
        ASSERT_LT(i, lines.size()) << "the last drawn layout needs its empty line";
        EXPECT_LE(rows, 20u);
        EXPECT_LE(line.size(), 40u);
        EXPECT_LE(rows * line.size(), 300u);
    }
    EXPECT_GE(levels, 150);
}

TEST_F(ShippedLayoutsFile, LettersGrowSteadilyWithinWhatTheCounterAllows) {
    quorvel::LevelTable table;
    ASSERT_TRUE(quorvel::loadLayouts(text, table).checksumMatches());
    ASSERT_EQ(table.levelCount, 200);
    for (int level = 2; level <= table.levelCount; ++level) {
        const int before = table.at(level - 1).letterTotal, now = table.at(level).letterTotal;
        EXPECT_GE(10 * now, 9 * before) << "level " << level << " drops from " << before;
        if (level > 10) {
            EXPECT_GT(now, table.at(level - 10).letterTotal) << "a plateau before level " << level;
        }
        // Beyond this the advance minimum (start div 5 at the neutral handicap) nears the
        // counter's cap of 100 and no game keeps it.
        EXPECT_LE(now, 160) << "level " << level;
    }
}

TEST_F(ShippedLayoutsFile, StartWithSmallSquares) {
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "0404");
    // The next square follows within a few small drawn levels.
    const auto next = std::find(lines.begin(), lines.end(), "0504");
    ASSERT_NE(next, lines.end());
    EXPECT_LT(next - lines.begin(), 20);
}

// ---------------------------------------------------------------- dictionaries

std::vector<std::string> shippedDictionaries() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder + "kbs"))
        if (entry.path().extension() == ".dic")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ShippedDictionaries, CommonWordsAndTheThemesAreThere) {
    const auto names = shippedDictionaries();
    for (const char* wanted : {"Common Words", "Animals", "Food", "Plants", "Geography"})
        EXPECT_NE(std::find(names.begin(), names.end(), wanted), names.end()) << wanted;
    EXPECT_TRUE(std::filesystem::exists(dataFolder + "kbs/LICENSE.WordNet.txt"));
    EXPECT_TRUE(std::filesystem::exists(dataFolder + "kbs/LICENSE.SCOWL.txt"));
}

TEST(ShippedDictionaries, EveryFileIsAComponentStream) {
    for (const auto& name : shippedDictionaries()) {
        const std::string head = readFile(dataFolder + "kbs/" + name + ".dic").substr(0, 4);
        EXPECT_EQ(head, "TPF0") << name;
    }
}

struct DumpedItem {
    std::string word, definition, attributes;
};

// The items as the game's own reader sees them, through quorvel-tool dic dump.
std::vector<DumpedItem> dump(const std::string& name) {
    using quorvel::shellQuoted;
    const quorvel::CommandOutput dumped = quorvel::runCommand(shellQuoted(QUORVEL_TOOL) + " dic dump " +
                                            shellQuoted(dataFolder + "kbs/" + name + ".dic"));
    EXPECT_EQ(dumped.status, 0) << name;
    const std::string& out = dumped.out;
    std::vector<DumpedItem> items;
    for (const std::string& line : split(out, "\n")) {
        if (line.empty())
            continue;
        const auto fields = split(line, "\t"); // n d a f s j p r attributes
        EXPECT_EQ(fields.size(), 9u) << line;
        if (fields.size() == 9)
            items.push_back({fields[0], fields[1], fields[8]});
    }
    return items;
}

class ShippedDictionaryItems : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedDictionaryItems, AreDistinctUpperCaseWordsWithShortDefinitions) {
    const auto items = dump(GetParam());
    // The themes keep words players know, so the smallest holds a few hundred.
    ASSERT_GE(items.size(), 150u);
    std::set<std::string> seen;
    std::map<std::size_t, int> byLength;
    for (const auto& item : items) {
        EXPECT_TRUE(isUpperWord(item.word)) << item.word;
        EXPECT_TRUE(item.word.size() >= 3 && item.word.size() <= 20) << item.word;
        EXPECT_TRUE(seen.insert(item.word).second) << "repeated: " << item.word;
        EXPECT_FALSE(item.definition.empty()) << item.word;
        EXPECT_LE(item.definition.size(), 120u) << item.word;
        ++byLength[item.word.size()];
    }
    // Enough distinct words of every length the small levels ask for, with room to
    // spare: the 4 x 4 board asks for four.
    for (std::size_t n = 4; n <= 7; ++n)
        EXPECT_GE(byLength[n], 6) << GetParam() << ", length " << n;
    if (GetParam() == "Common Words") {
        // Everyday words only, of the lengths the levels hold: only words whose definition
        // teaches the sense a player knows are hidden, yet every length keeps enough that a
        // level of twelve rows never runs short or repeats the same few.
        EXPECT_TRUE(items.size() >= 5000 && items.size() <= 40000) << items.size();
        for (std::size_t n = 3; n <= 12; ++n)
            EXPECT_GE(byLength[n], 120) << "length " << n;
        EXPECT_EQ(byLength.upper_bound(12), byLength.end()) << "no word longer than a level's";
    } else {
        for (const auto& item : items)
            EXPECT_FALSE(item.attributes.empty()) << GetParam() << ": " << item.word;
    }
}

INSTANTIATE_TEST_SUITE_P(Each, ShippedDictionaryItems, ::testing::ValuesIn(shippedDictionaries()),
                         [](const auto& info) {
                             std::string name = info.param;
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

// ---------------------------------------------------------------- words a family can read

const std::string toolsFolder = std::string(QUORVEL_SOURCE_DIR) + "/tools/";

struct Exclusions {
    std::set<std::string> banned;    // never shown
    std::set<std::string> ambiguous; // only in a theme, with the clean sense it is about
};

std::string upper(std::string word) {
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

Exclusions readExclusions() {
    Exclusions list;
    std::istringstream in(readFile(toolsFolder + "excluded_words.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::set<std::string>* target = &list.banned;
        if (line[0] == '~') {
            target = &list.ambiguous;
            line.erase(0, 1);
        }
        std::istringstream words(line);
        for (std::string word; words >> word;)
            target->insert(upper(word));
    }
    return list;
}

std::vector<std::string> letterRuns(const std::string& text) {
    std::vector<std::string> runs;
    std::string run;
    for (char c : text + ' ') {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            run += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        } else if (!run.empty()) {
            runs.push_back(run);
            run.clear();
        }
    }
    return runs;
}

// The same endings the data scripts take off before comparing two words.
std::string stem(const std::string& word) {
    static const char* const endings[] = {
        "ATIONS", "ATION", "MENTS", "MENT", "ITIES", "NESS", "INGS", "ICAL", "ISTS", "ABLE", "IBLE",
        "LESS", "ING", "IES", "ERS", "EST", "ISM", "IST", "ITY", "FUL", "OUS", "IVE", "ED", "ES",
        "ER", "LY", "AL", "IC", "S", "Y", "E"};
    for (const std::string ending : endings) {
        if (word.size() >= ending.size() + 3 &&
            word.compare(word.size() - ending.size(), ending.size(), ending) == 0)
            return word.substr(0, word.size() - ending.size());
    }
    return word;
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The word of a definition that gives the item's word away (the word, its stem, a
// word that holds it, or a part of a compound), or "" when none does.
std::string givesAway(const std::string& word, const std::string& definition) {
    for (const std::string& t : letterRuns(definition)) {
        if (t.size() < 3)
            continue;
        if (t == word || stem(t) == stem(word) ||
            (word.size() >= 4 && t.find(word) != std::string::npos))
            return t;
        if (t.size() >= 4 && (startsWith(word, t) || endsWith(word, t)))
            return t;
        std::size_t shared = 0;
        while (shared < std::min(t.size(), word.size()) && t[shared] == word[shared])
            ++shared;
        if (shared >= 6 || (shared >= 5 && shared + 2 >= std::min(t.size(), word.size())))
            return t;
    }
    return "";
}

TEST(DefinitionRules, CatchTheWordItsStemAndThePartsOfACompound) {
    EXPECT_EQ(givesAway("HOMEOWNER", "someone who owns a home"), "HOME");
    EXPECT_EQ(givesAway("GOVERNMENT", "the governing body"), "GOVERNING");
    EXPECT_EQ(givesAway("CAT", "domestic cats"), "CATS");
    EXPECT_EQ(givesAway("ROSE", "shrubs that bear roses"), "ROSES");
    EXPECT_EQ(givesAway("WAKE", "be awake"), "AWAKE");
    EXPECT_EQ(givesAway("CAT", "a small domestic carnivore"), "");      // CARNIVORE is no CAT
    EXPECT_EQ(givesAway("INTEREST", "of international concern"), "");  // a shared start only
    EXPECT_EQ(givesAway("EAR", "the sense organ for hearing"), "");    // HEARING holds EAR inside
}

TEST(ShippedWords, NoExcludedWordInAnyDictionaryOrWordList) {
    const Exclusions excluded = readExclusions();
    ASSERT_GT(excluded.banned.size(), 200u);
    for (int n : {3, 4, 5}) {
        const std::string list = readFile(dataFolder + "zq/W" + std::to_string(n));
        for (std::size_t at = 0; at + n <= list.size(); at += static_cast<std::size_t>(n)) {
            const std::string word = list.substr(at, static_cast<std::size_t>(n));
            EXPECT_EQ(excluded.banned.count(word) + excluded.ambiguous.count(word), 0u)
                << "W" << n << ": " << word;
        }
    }
    for (const auto& name : shippedDictionaries()) {
        for (const auto& item : dump(name)) {
            EXPECT_EQ(excluded.banned.count(item.word), 0u) << name << ": " << item.word;
            if (name == "Common Words") {
                EXPECT_EQ(excluded.ambiguous.count(item.word), 0u) << item.word;
            }
            for (const std::string& used : letterRuns(item.definition)) {
                EXPECT_EQ(excluded.banned.count(used), 0u)
                    << name << ": " << item.word << " is defined with " << used;
            }
        }
    }
}

TEST(ShippedWords, NoDefinitionGivesItsWordAwayIsCutOffOrIsOneWordOrAQuotation) {
    for (const auto& name : shippedDictionaries()) {
        for (const auto& item : dump(name)) {
            EXPECT_EQ(givesAway(item.word, item.definition), "")
                << name << ": " << item.word << " \"" << item.definition << '"';
            EXPECT_GE(letterRuns(item.definition).size(), 2u) << name << ": " << item.word;
            EXPECT_EQ(item.definition.find('"'), std::string::npos) << name << ": " << item.word;
            EXPECT_FALSE(endsWith(item.definition, "...")) << name << ": " << item.word;
        }
    }
}

// The definitions written for the game, by dictionary and word (tools/own_definitions.txt).
std::map<std::string, std::map<std::string, std::string>> writtenDefinitions() {
    std::map<std::string, std::map<std::string, std::string>> written;
    std::istringstream in(readFile(toolsFolder + "own_definitions.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto fields = split(line, "\t");
        if (fields.size() == 3)
            written[fields[0]][fields[1]] = fields[2];
    }
    return written;
}

// Every hidden word ships the definition written for it, word for word: nothing falls
// back to a dictionary's gloss.
TEST(ShippedWords, EveryHiddenWordShipsTheDefinitionWrittenForIt) {
    auto written = writtenDefinitions();
    for (const auto& name : shippedDictionaries()) {
        for (const auto& item : dump(name)) {
            ASSERT_TRUE(written[name].count(item.word)) << name << ": " << item.word;
            EXPECT_EQ(item.definition, written[name][item.word]) << name << ": " << item.word;
        }
    }
}

// A pin chooses the sense of a word without a written definition; a written one carries
// the sense a player means in the game's own words.
TEST(ShippedWords, PinnedWordsKeepTheSenseAPlayerMeans) {
    std::map<std::string, std::map<std::string, std::string>> definitions; // by dictionary
    auto written = writtenDefinitions();
    std::istringstream in(readFile(toolsFolder + "pinned_senses.txt"));
    int pins = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto fields = split(line, "\t");
        ASSERT_EQ(fields.size(), 3u) << line;
        auto& items = definitions[fields[0]];
        if (items.empty()) {
            for (const auto& item : dump(fields[0]))
                items[item.word] = item.definition;
        }
        ASSERT_TRUE(items.count(fields[1])) << fields[0] << " has no " << fields[1];
        const auto own = written[fields[0]].find(fields[1]);
        const std::string expected =
            own != written[fields[0]].end() ? own->second : fields[2];
        EXPECT_NE(items[fields[1]].find(expected), std::string::npos)
            << fields[0] << ": " << fields[1] << " should mean \"" << expected << "\", is \""
            << items[fields[1]] << '"';
        ++pins;
    }
    EXPECT_GE(pins, 50);
}

TEST(ShippedDictionaries, CommonShortWordsAreAcceptedByTheWordLists) {
    // The lists accept alternatives on the board; a hidden word of 3 to 5
    // letters must never be refused as an alternative elsewhere.
    quorvel::WordLists lists;
    lists.load(dataFolder);
    for (const auto& item : dump("Common Words")) {
        if (item.word.size() <= 5) {
            EXPECT_TRUE(lists.isListedWord(item.word)) << item.word;
        }
    }
}

} // namespace
