// The knowledge base: attribute names and slices, item copying, the item list, and loading
// dictionary files plain and keyed.
#include "WordsTestSupport.h"
#include "base/Files.h"
#include "words/EncryptedStream.h"

#include <gtest/gtest.h>

using namespace quorvel;
using quorvel::test::addItem;
using quorvel::test::sampleDictionary;
using quorvel::test::ScratchFolder;

TEST(Dictionary, AttributeNamesFollowTheirOrdinals) {
    const std::pair<int, const char*> names[] = {
        {0, "City"},     {20, "Continent"}, {21, "Attr022"},   {31, "Attr032"}, {32, "LastName"},
        {37, "Attr038"}, {40, "English"},   {63, "Artwork"},   {64, "TVShow"},  {80, "Species"},
        {95, "T"},       {96, "DealsWith"}, {99, "RelatedTo"}, {100, "User01"}, {127, "User28"}};
    for (const auto& [ordinal, name] : names) {
        EXPECT_EQ(attributeName(ordinal), name) << ordinal;
        EXPECT_EQ(attributeOrdinal(name), ordinal) << name;
    }
    for (int i = 0; i < kAttributeCount; ++i)
        EXPECT_EQ(attributeOrdinal(attributeName(i)), i) << "names are unique: " << i;
    EXPECT_EQ(attributeOrdinal("gulfbaystrait"), 18);
    EXPECT_EQ(attributeOrdinal("USER05"), 104);
    EXPECT_EQ(attributeOrdinal("User29"), std::nullopt);
    EXPECT_EQ(attributeOrdinal(""), std::nullopt);
    EXPECT_EQ(attributeName(128), "");
    EXPECT_EQ(attributeName(-1), "");
}

TEST(Dictionary, SlicesAreViewsOfTheAttributeSet) {
    DictionaryItem item;
    item.set(0);
    item.set(31);
    item.set(32);
    item.set(127);
    EXPECT_EQ(item.slice(1), 0x80000001u);
    EXPECT_EQ(item.slice(2), 1u);
    EXPECT_EQ(item.slice(4), 0x80000000u);
    item.setSlice(2, 0x6u); // replaces slice 2 only
    EXPECT_EQ(item.attributes(), (std::vector<int>{0, 31, 33, 34, 127}));
    item.set(31, false);
    EXPECT_FALSE(item.has(31));
    EXPECT_FALSE(item.has(128));
    item.set(500); // out of range: ignored
    EXPECT_EQ(item.attributes(), (std::vector<int>{0, 33, 34, 127}));
}

TEST(Dictionary, CopyingAnItemKeepsTheTargetWord) {
    const Dictionary source = sampleDictionary();
    DictionaryItem target;
    target.word = "KEEP";
    target.set(5);
    target.assign(source.items()[0]);
    DictionaryItem expected = source.items()[0];
    expected.word = "KEEP";
    EXPECT_EQ(target, expected);
    EXPECT_FALSE(target.has(5));
}

TEST(Dictionary, ItemsKeepTheirPlaceAcrossBlocksAndCheckTheirIndex) {
    DictionaryItems items;
    DictionaryItem& first = items.add();
    first.word = "first";
    for (int i = 1; i < 10000; ++i)
        items.add().word = std::to_string(i);
    EXPECT_EQ(&first, &items[0]) << "adding never moves an item";
    EXPECT_EQ(items.count(), 10000);
    EXPECT_EQ(items.at(4097).word, "4097");
    EXPECT_THROW(items.at(10000), std::out_of_range);
    EXPECT_THROW(items.at(-1), std::out_of_range);
    DictionaryItems copy = items;
    items.clear();
    EXPECT_EQ(items.count(), 0);
    EXPECT_THROW(items.at(0), std::out_of_range);
    EXPECT_EQ(copy.count(), 10000);
    EXPECT_EQ(copy[9999].word, "9999");
}

class DictionaryFile : public ::testing::Test {
protected:
    ScratchFolder scratch;
};

TEST_F(DictionaryFile, MissingFileFailsToCreateTheStream) {
    Dictionary dictionary;
    addItem(dictionary, "OLD", "");
    try {
        dictionary.loadFromFile(scratch.file("absent.dic"));
        FAIL() << "loaded a missing file";
    } catch (const DictionaryError& error) {
        EXPECT_STREQ(error.what(), kUnableToCreateStream);
        EXPECT_EQ(error.fault, DictionaryFault::Missing);
        EXPECT_EQ(error.path, scratch.file("absent.dic"));
    }
    EXPECT_EQ(dictionary.items().count(), 0);
    try {
        dictionary.loadFromFile(scratch.folder());
        FAIL() << "loaded a folder";
    } catch (const DictionaryError& error) {
        EXPECT_STREQ(error.what(), kUnableToCreateStream);
        EXPECT_EQ(error.fault, DictionaryFault::CannotOpen);
        EXPECT_EQ(error.error, std::errc::is_a_directory);
    }
}

// The file's path comes with every fault found in its bytes, so the window can name it.
TEST_F(DictionaryFile, DamagedFileIsNamedWithTheFault) {
    writeWholeFile(scratch.file("bad.dic"), "TPF0\x05junk");
    writeWholeFile(scratch.file("empty.dic"), "");
    writeWholeFile(scratch.file("text.dic"), "CAT,a pet\r\n");
    const std::pair<const char*, DictionaryFault> cases[] = {
        {"bad.dic", DictionaryFault::CutShort},
        {"empty.dic", DictionaryFault::CutShort},
        {"text.dic", DictionaryFault::NotADictionary},
    };
    for (const auto& [name, fault] : cases) {
        Dictionary dictionary;
        try {
            dictionary.loadFromFile(scratch.file(name));
            ADD_FAILURE() << "loaded " << name;
        } catch (const DictionaryError& error) {
            EXPECT_STREQ(error.what(), kUnableToLoadKnowledgeBase) << name;
            EXPECT_EQ(error.fault, fault) << name;
            EXPECT_EQ(error.path, scratch.file(name));
        }
    }
}

TEST_F(DictionaryFile, LoadingReplacesAndAFailedLoadLeavesNothing) {
    Dictionary first = sampleDictionary();
    first.saveToFile(scratch.file("first.dic"));
    Dictionary second;
    addItem(second, "ONLY", "one item");
    second.saveToFile(scratch.file("second.dic"));
    writeWholeFile(scratch.file("bad.dic"), "TPF0\x05junk");

    Dictionary dictionary;
    dictionary.loadFromFile(scratch.file("first.dic"));
    EXPECT_EQ(dictionary.items().count(), 3);
    dictionary.loadFromFile(scratch.file("second.dic"));
    ASSERT_EQ(dictionary.items().count(), 1);
    EXPECT_EQ(dictionary.items()[0].word, "ONLY");
    try {
        dictionary.loadFromFile(scratch.file("bad.dic"));
        FAIL() << "loaded a damaged file";
    } catch (const DictionaryError& error) {
        EXPECT_STREQ(error.what(), kUnableToLoadKnowledgeBase);
    }
    EXPECT_EQ(dictionary.items().count(), 0);
}

TEST_F(DictionaryFile, KeyedFileRoundTripsAndNeedsItsKey) {
    Dictionary written = sampleDictionary();
    written.setKey("s\xE9same");
    written.saveToFile(scratch.file("keyed.dic"));
    const std::string stored = readWholeFile(scratch.file("keyed.dic"));
    EXPECT_EQ(stored.find("TPF0"), std::string::npos) << "the file is scrambled";

    Dictionary keyed;
    keyed.setKey("s\xE9same");
    keyed.loadFromFile(scratch.file("keyed.dic"));
    ASSERT_EQ(keyed.items().count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(keyed.items()[i], written.items()[i]);

    Dictionary plain;
    EXPECT_THROW(plain.loadFromFile(scratch.file("keyed.dic")), DictionaryError);
    Dictionary wrongKey;
    wrongKey.setKey("sesame");
    EXPECT_THROW(wrongKey.loadFromFile(scratch.file("keyed.dic")), DictionaryError);
    EXPECT_EQ(wrongKey.items().count(), 0);
}

// The filter is what a keyed load reads through; whatever the chunk size, the stream that
// comes out is the writer's.
TEST_F(DictionaryFile, ScrambledStreamReadInChunksLoads) {
    const Dictionary written = sampleDictionary();
    const std::string plain = writeDictionary(written);
    writeWholeFile(scratch.file("keyed.dic"), scrambleBytes(plain, "k3y", 0xC3));
    for (std::int64_t chunk : {1, 5, 64, 4096}) {
        TEncryptedStream stream(
            std::make_unique<FileStream>(scratch.file("keyed.dic"), FileStream::Mode::Read), "k3y");
        std::string bytes, buffer(static_cast<std::size_t>(chunk), '\0');
        std::int64_t got = 0;
        while ((got = stream.read(buffer.data(), chunk)) > 0)
            bytes.append(buffer.data(), static_cast<std::size_t>(got));
        ASSERT_EQ(bytes, plain) << "chunk " << chunk;
        Dictionary read;
        read.loadFromBytes(bytes);
        EXPECT_EQ(read.items().count(), written.items().count());
    }
}

// Loaded items are decoded block by block when first used; whatever the order of use, each
// item is the one the file holds, and changes, additions and copies behave as for items
// added one by one.
TEST(Dictionary, LoadedItemsAreTheFileItemsInAnyOrderOfUse) {
    Dictionary written;
    for (int i = 0; i < 200; ++i) {
        DictionaryItem& item =
            addItem(written, "W" + std::to_string(i), "definition " + std::to_string(i));
        item.set(i % kAttributeCount);
        if (i % 7 == 0)
            item.extraR = std::string(300, 'r');
    }
    Dictionary dictionary;
    dictionary.loadFromBytes(writeDictionary(written));
    ASSERT_EQ(dictionary.items().count(), 200);
    for (int i : {199, 0, 130, 64, 63, 128, 1, 198})
        EXPECT_EQ(dictionary.items().at(i), written.items()[i]) << i;

    dictionary.items()[70].word = "CHANGED";
    EXPECT_EQ(dictionary.items()[70].word, "CHANGED");
    DictionaryItem& added = dictionary.items().add(); // grows the last block, not yet decoded
    added.word = "ADDED";
    ASSERT_EQ(dictionary.items().count(), 201);
    EXPECT_EQ(dictionary.items()[200].word, "ADDED");
    EXPECT_EQ(dictionary.items()[199], written.items()[199]);
    EXPECT_EQ(&added, &dictionary.items()[200]);

    const DictionaryItems copy = dictionary.items();
    ASSERT_EQ(copy.count(), 201);
    for (int i = 0; i < 200; ++i) {
        if (i != 70) {
            EXPECT_EQ(copy[i], written.items()[i]) << i;
        }
    }
    EXPECT_EQ(copy[70].word, "CHANGED");

    dictionary.loadFromBytes(writeDictionary(Dictionary{}));
    EXPECT_EQ(dictionary.items().count(), 0);
    EXPECT_THROW(dictionary.items().at(0), std::out_of_range);
    EXPECT_EQ(copy[199], written.items()[199]) << "a copy does not depend on the source";
}
