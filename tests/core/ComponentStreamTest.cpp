// Dictionary streams: what the writer writes reads back unchanged, every accepted variant of
// the format loads, and every damaged or hostile stream ends in the load's message.
#include "words/ComponentStream.h"
#include "WordsTestSupport.h"

#include <gtest/gtest.h>

using namespace quorvel;
using quorvel::test::addItem;
using quorvel::test::sampleDictionary;

namespace {

void expectSameItems(const Dictionary& expected, const Dictionary& actual) {
    ASSERT_EQ(actual.items().count(), expected.items().count());
    for (int i = 0; i < expected.items().count(); ++i)
        EXPECT_EQ(actual.items()[i], expected.items()[i]) << "item " << i;
}

// The opening of a dictionary stream up to its root property list.
ComponentWriter header() {
    ComponentWriter out;
    out.signature();
    out.shortString("Dictionary");
    out.shortString("Words");
    return out;
}

// A whole stream whose Items collection holds the given raw item bytes.
std::string withItems(const std::string& itemBytes) {
    ComponentWriter out = header();
    out.shortString("Items");
    out.tag(ValueTag::Collection);
    out.bytes += itemBytes;
    out.end(); // collection
    out.end(); // properties
    out.end(); // children
    return out.bytes;
}

std::string item(const std::function<void(ComponentWriter&)>& properties) {
    ComponentWriter out;
    out.tag(ValueTag::List);
    properties(out);
    out.end();
    return out.bytes;
}

// Loads the bytes and returns the message of the failure, or "" on success.
std::string loadMessage(Dictionary& dictionary, const std::string& bytes) {
    try {
        dictionary.loadFromBytes(bytes);
        return {};
    } catch (const DictionaryError& error) {
        return error.what();
    }
}

// The failure of loading the bytes; the test fails when they load.
DictionaryError loadError(const std::string& bytes) {
    Dictionary dictionary;
    try {
        dictionary.loadFromBytes(bytes);
    } catch (const DictionaryError& error) {
        return error;
    }
    ADD_FAILURE() << "loaded";
    return DictionaryError(DictionaryFault::Damaged);
}

} // namespace

TEST(ComponentStream, WrittenDictionaryReadsBackUnchanged) {
    const Dictionary written = sampleDictionary();
    Dictionary read;
    read.loadFromBytes(writeDictionary(written));
    expectSameItems(written, read);
    EXPECT_EQ(read.name, "Sample");
    EXPECT_TRUE(read.quickDestroy);
    EXPECT_EQ(read.tag, -300);
    EXPECT_EQ(read.items()[1].definition.size(), 300u);
}

TEST(ComponentStream, WriterUsesShortStringsUpTo255BytesAndLongStringsBeyond) {
    for (std::size_t length : {255u, 256u}) {
        Dictionary dictionary;
        addItem(dictionary, "W", std::string(length, 'q'));
        const std::string bytes = writeDictionary(dictionary);
        const std::size_t d = bytes.find(std::string("\x01") + "d");
        ASSERT_NE(d, std::string::npos);
        EXPECT_EQ(static_cast<int>(bytes[d + 2]), length <= 255 ? 6 : 12) << length;
    }
}

TEST(ComponentStream, EmptyCollectionLoadsAsAnEmptyDictionary) {
    Dictionary dictionary;
    addItem(dictionary, "OLD", "left from before");
    EXPECT_EQ(loadMessage(dictionary, withItems("")), "");
    EXPECT_EQ(dictionary.items().count(), 0);
}

TEST(ComponentStream, AbsentPropertiesKeepEmptyDefaults) {
    Dictionary dictionary;
    dictionary.loadFromBytes(withItems(item([](ComponentWriter& out) {
        out.shortString("n");
        out.stringValue("ONLY");
    })));
    ASSERT_EQ(dictionary.items().count(), 1);
    DictionaryItem expected;
    expected.word = "ONLY";
    EXPECT_EQ(dictionary.items()[0], expected);
    EXPECT_FALSE(dictionary.items()[0].hasAttributes());
}

TEST(ComponentStream, AcceptedVariantsOfTheFormat) {
    // Properties in any order and case, long strings, item indexes of every integer size.
    std::string items;
    items += item([](ComponentWriter& out) {
        out.shortString("R");
        out.tag(ValueTag::LString);
        out.longString("rr");
        out.shortString("n");
        out.stringValue("FIRST");
    });
    for (std::int32_t index : {5, 1000, 100000}) {
        ComponentWriter out;
        out.integer(index);
        items += out.bytes + item([](ComponentWriter& w) {
                     w.shortString("d");
                     w.stringValue("indexed");
                 });
    }
    ComponentWriter out;
    out.signature();
    out.bytes += static_cast<char>(0xF2); // prefix byte with the child-position flag
    out.integer(7);
    out.shortString("AnyClass");
    out.shortString("");
    out.shortString("quickdestroy");
    out.tag(ValueTag::Ident);
    out.shortString("True");
    out.shortString("TAG");
    out.tag(ValueTag::Int32);
    out.int32(-5);
    out.shortString("Items");
    out.tag(ValueTag::Collection);
    out.bytes += items;
    out.end();
    out.end();
    out.end();
    out.bytes += "trailing bytes after the stream are not read";

    Dictionary dictionary;
    ASSERT_EQ(loadMessage(dictionary, out.bytes), "");
    ASSERT_EQ(dictionary.items().count(), 4);
    EXPECT_EQ(dictionary.items()[0].word, "FIRST");
    EXPECT_EQ(dictionary.items()[0].extraR, "rr");
    EXPECT_EQ(dictionary.items()[3].definition, "indexed");
    EXPECT_TRUE(dictionary.quickDestroy);
    EXPECT_EQ(dictionary.tag, -5);
}

TEST(ComponentStream, QuickDestroyReadsFromEveryBooleanForm) {
    const std::pair<std::string, bool> forms[] = {{"\x09", true},
                                                  {"\x08", false},
                                                  {"\x07\x04True", true},
                                                  {"\x07\x05"
                                                   "false",
                                                   false}};
    for (const auto& [value, expected] : forms) {
        ComponentWriter out = header();
        out.shortString("QuickDestroy");
        out.bytes += value;
        out.end();
        out.end();
        Dictionary dictionary;
        dictionary.quickDestroy = !expected;
        ASSERT_EQ(loadMessage(dictionary, out.bytes), "") << value;
        EXPECT_EQ(dictionary.quickDestroy, expected) << value;
    }
}

TEST(ComponentStream, SetNamesCountOnlyBelowOrdinal32InTheirSlice) {
    Dictionary dictionary;
    dictionary.loadFromBytes(withItems(item([](ComponentWriter& out) {
        out.shortString("a1");
        out.tag(ValueTag::Set);
        out.shortString("LastName"); // ordinal 32: accepted, no bit
        out.shortString("FOOD");     // ordinal 14
        out.shortString("");
        out.shortString("a2");
        out.tag(ValueTag::Set);
        out.shortString("city"); // bit 0 of slice 2: LastName
        out.shortString("");
        out.shortString("a4");
        out.tag(ValueTag::Set);
        out.shortString("Attr032"); // bit 31 of slice 4: User28
        out.shortString("");
    })));
    const DictionaryItem& item = dictionary.items()[0];
    EXPECT_EQ(item.attributes(), (std::vector<int>{14, 32, 127}));
    EXPECT_EQ(item.slice(1), 1u << 14);
    EXPECT_EQ(item.slice(2), 1u);
    EXPECT_EQ(item.slice(3), 0u);
    EXPECT_EQ(item.slice(4), 0x80000000u);
}

// Each of these streams is damaged in one way; all end in the same message and leave nothing.
TEST(ComponentStream, DamagedStreamsEndInTheLoadMessage) {
    const auto badValue = [](std::string property, std::string value) {
        return withItems(item([&](ComponentWriter& out) {
            out.shortString(property);
            out.bytes += value;
        }));
    };
    const std::string good = writeDictionary(sampleDictionary());
    std::string wrongSignature = good;
    wrongSignature[3] = '1';
    std::string childComponent = good;
    childComponent.back() = 1;
    ComponentWriter hostileLength;
    hostileLength.tag(ValueTag::LString);
    hostileLength.int32(0x7FFFFFFF);
    ComponentWriter negativeLength;
    negativeLength.tag(ValueTag::LString);
    negativeLength.int32(-1);
    ComponentWriter rootUnknown = header();
    rootUnknown.shortString("Name");
    rootUnknown.stringValue("x");
    ComponentWriter rootWrongTag = header();
    rootWrongTag.shortString("Items");
    rootWrongTag.tag(ValueTag::List);
    ComponentWriter tagAsString = header();
    tagAsString.shortString("Tag");
    tagAsString.stringValue("1");
    ComponentWriter boolIdent = header();
    boolIdent.shortString("QuickDestroy");
    boolIdent.tag(ValueTag::Ident);
    boolIdent.shortString("Maybe");

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"signature only", "TPF0"},
        {"wrong signature", wrongSignature},
        {"a child component", childComponent},
        {"unknown root property", rootUnknown.bytes + "\0\0"},
        {"Items not a collection", rootWrongTag.bytes},
        {"Tag as a string", tagAsString.bytes + std::string(2, '\0')},
        {"QuickDestroy as an unknown identifier", boolIdent.bytes + std::string(2, '\0')},
        {"unknown item property", badValue("x", "\x06\x01y")},
        {"item property a5", badValue("a5", "\x0B\x00")},
        {"string as identifier", badValue("n", "\x07\x03"
                                               "CAT")},
        {"string as integer", badValue("n", "\x02\x01")},
        {"set as string", badValue("a1", "\x06\x04"
                                         "City")},
        {"unknown attribute", badValue("a1", std::string("\x0B\x05Towns\x00", 8))},
        {"hostile long string length", badValue("d", hostileLength.bytes + "abc")},
        {"negative long string length", badValue("d", negativeLength.bytes + "abc")},
        {"item without list begin", withItems("\x06\x01x")},
        {"index without item", withItems("\x02\x05\x00")},
        {"nested lists", withItems(std::string(100000, '\x01'))},
        {"collections in items", withItems(std::string(50000, '\x0E'))},
    };
    for (const auto& [what, bytes] : cases) {
        Dictionary dictionary;
        addItem(dictionary, "OLD", "");
        EXPECT_EQ(loadMessage(dictionary, bytes), kUnableToLoadKnowledgeBase) << what;
        EXPECT_EQ(dictionary.items().count(), 0) << what;
    }
}

TEST(ComponentStream, EveryTruncationFails) {
    const std::string good = writeDictionary(sampleDictionary());
    for (std::size_t length = 0; length < good.size(); ++length) {
        Dictionary dictionary;
        ASSERT_EQ(loadMessage(dictionary, good.substr(0, length)), kUnableToLoadKnowledgeBase)
            << "cut at " << length;
        ASSERT_EQ(dictionary.items().count(), 0) << "cut at " << length;
        // The player is told the file was cut short, and where it ends.
        const DictionaryError error = loadError(good.substr(0, length));
        ASSERT_EQ(error.fault, DictionaryFault::CutShort) << "cut at " << length;
        ASSERT_EQ(error.offset, length);
    }
}

// A damaged stream says where: the offset of the value the format does not allow.
TEST(ComponentStream, DamageIsFoundWhereItIs) {
    EXPECT_EQ(loadError("PK\x03\x04 not ours").fault, DictionaryFault::NotADictionary);

    const std::string unknownProperty = withItems(item([](ComponentWriter& out) {
        out.shortString("n");
        out.stringValue("CAT");
        out.shortString("x");
        out.stringValue("y");
    }));
    DictionaryError error = loadError(unknownProperty);
    EXPECT_EQ(error.fault, DictionaryFault::Damaged);
    EXPECT_EQ(error.offset, unknownProperty.find("\x01x")); // the name, at its length byte

    const std::string unknownAttribute = withItems(item([](ComponentWriter& out) {
        out.shortString("a1");
        out.tag(ValueTag::Set);
        out.shortString("City");
        out.shortString("Towns");
        out.shortString("");
    }));
    error = loadError(unknownAttribute);
    EXPECT_EQ(error.fault, DictionaryFault::Damaged);
    EXPECT_EQ(error.offset, unknownAttribute.find("\x05Towns"));

    ComponentWriter wrongTag = header();
    wrongTag.shortString("Items");
    const std::size_t tagAt = wrongTag.bytes.size();
    wrongTag.tag(ValueTag::List);
    wrongTag.bytes += std::string(3, '\0');
    error = loadError(wrongTag.bytes);
    EXPECT_EQ(error.fault, DictionaryFault::Damaged);
    EXPECT_EQ(error.offset, tagAt);
}

TEST(ComponentStream, SingleByteCorruptionsLoadOrFailCleanly) {
    const std::string good = writeDictionary(sampleDictionary());
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (int value : {0x00, 0x01, 0x0E, 0x7F, 0x80, 0xFF}) {
            std::string bytes = good;
            bytes[at] = static_cast<char>(value);
            Dictionary dictionary;
            const std::string message = loadMessage(dictionary, bytes);
            ASSERT_TRUE(message.empty() || message == kUnableToLoadKnowledgeBase) << at;
            if (!message.empty()) {
                ASSERT_EQ(dictionary.items().count(), 0) << at;
            }
        }
    }
}

TEST(ComponentStream, RepeatedItemsPropertyReplacesTheEarlierItems) {
    ComponentWriter out = header();
    for (const char* word : {"ONE", "TWO"}) {
        out.shortString("Items");
        out.tag(ValueTag::Collection);
        out.bytes += item([&](ComponentWriter& w) {
            w.shortString("n");
            w.stringValue(word);
        });
        out.end();
    }
    out.end();
    out.end();
    Dictionary dictionary;
    dictionary.loadFromBytes(out.bytes);
    ASSERT_EQ(dictionary.items().count(), 1);
    EXPECT_EQ(dictionary.items()[0].word, "TWO");
}
