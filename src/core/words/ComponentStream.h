// The component stream format of dictionary files: value tags, a bounds-checked reader and a
// writer of its building blocks.
#pragma once

#include "words/DictionaryError.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class DictionaryItem;
class Dictionary;

// Value tags of the component stream.
enum class ValueTag : std::uint8_t {
    Null = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Set = 11,
    LString = 12,
    Collection = 14,
};

// A stream that does not follow the format: another signature, an end in the middle of a
// value, or a value the format does not allow (wrong tag, unknown name) at offset.
struct InvalidStreamFormat : std::runtime_error {
    InvalidStreamFormat(DictionaryFault why, std::size_t at)
        : std::runtime_error("Invalid stream format"), fault(why), offset(at) {}
    DictionaryFault fault;
    std::size_t offset;
};

// Where a checked stream's items are: how many, and where every 64th one begins (at its
// optional integer or its list tag), so a block of items is read in one pass from its start.
struct ItemIndex {
    static constexpr int kBlockShift = 6;
    std::size_t count = 0;
    std::vector<std::size_t> blockStarts;
};

// Checks a whole dictionary stream, every length against the bytes that remain. The
// dictionary takes the stream's object name, QuickDestroy and Tag. Throws InvalidStreamFormat.
ItemIndex indexDictionaryStream(std::string_view bytes, Dictionary& dictionary);

// Reads the item that begins at start into the item and returns where the next one begins;
// the stream must have passed the check above.
std::size_t readItemAt(std::string_view bytes, std::size_t start, DictionaryItem& item);

// Appends the format's building blocks to a byte string.
class ComponentWriter {
public:
    std::string bytes;

    void signature() { bytes += "TPF0"; }
    void tag(ValueTag value) { bytes += static_cast<char>(value); }
    // A short string: one length byte, then the bytes (at most 255, longer input is cut).
    void shortString(std::string_view text);
    void longString(std::string_view text);
    void int32(std::int32_t value);
    // The smallest integer tag that holds the value, then the value.
    void integer(std::int32_t value);
    // A string value: tag 6 up to 255 bytes, tag 12 beyond.
    void stringValue(std::string_view text);
    void end() { tag(ValueTag::Null); }
};

// Writes a dictionary stream item by item, so a large one is built without holding its items:
// begin, then each item, then finish for the bytes.
class DictionaryStreamWriter {
public:
    void begin(std::string_view name, std::int32_t tag, std::size_t expectedSize = 0);
    void item(const DictionaryItem& item);
    std::string finish(bool quickDestroy);

private:
    ComponentWriter m_out;
};

} // namespace quorvel
