// Reading and writing dictionaries in the component stream format.
#include "words/ComponentStream.h"

#include "words/Dictionary.h"

#include <cstring>

namespace quorvel {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// A cursor over the stream's bytes; every read checks what remains first, so no length in
// the file can make us read past its end or allocate more than it holds.
class StreamReader {
public:
    explicit StreamReader(std::string_view bytes, std::size_t position = 0)
        : m_data(bytes), m_position(position) {}
    std::size_t position() const { return m_position; }

    // The fault of the value read last: it begins where the reader marked it.
    InvalidStreamFormat damaged() const { return {DictionaryFault::Damaged, m_mark}; }

    std::uint8_t byte() {
        need(1);
        m_mark = m_position;
        return static_cast<std::uint8_t>(m_data[m_position++]);
    }
    std::uint8_t peek() {
        need(1);
        return static_cast<std::uint8_t>(m_data[m_position]);
    }
    ValueTag tag() { return static_cast<ValueTag>(byte()); }
    std::string_view take(std::size_t count) {
        need(count);
        m_mark = m_position;
        const std::string_view result = m_data.substr(m_position, count);
        m_position += count;
        return result;
    }
    // A string's mark is its length, so a fault names where the whole string begins.
    std::string_view shortString() {
        const std::size_t start = m_position;
        const std::string_view text = take(byte());
        m_mark = start;
        return text;
    }
    std::string_view longString() {
        const std::size_t start = m_position;
        const std::int32_t length = int32();
        if (length < 0)
            throw damaged();
        const std::string_view text = take(static_cast<std::size_t>(length));
        m_mark = start;
        return text;
    }
    std::int32_t int32() {
        const std::string_view raw = take(4);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<std::uint8_t>(raw[static_cast<std::size_t>(i)]);
        return static_cast<std::int32_t>(value);
    }
    std::int32_t integerPayload(ValueTag tag) {
        switch (tag) {
        case ValueTag::Int8:
            return static_cast<std::int8_t>(byte());
        case ValueTag::Int16: {
            const std::uint16_t low = byte();
            return static_cast<std::int16_t>(low | (byte() << 8));
        }
        case ValueTag::Int32:
            return int32();
        default:
            throw damaged();
        }
    }
    std::int32_t integer() { return integerPayload(tag()); }
    std::string_view stringValue() {
        switch (tag()) {
        case ValueTag::String:
            return shortString();
        case ValueTag::LString:
            return longString();
        default:
            throw damaged();
        }
    }
    bool booleanValue() {
        switch (tag()) {
        case ValueTag::False:
            return false;
        case ValueTag::True:
            return true;
        case ValueTag::Ident: {
            const std::string_view name = shortString();
            if (equalsNoCase(name, "True"))
                return true;
            if (equalsNoCase(name, "False"))
                return false;
            throw damaged();
        }
        default:
            throw damaged();
        }
    }

private:
    // Nothing is read past the end: the stream is cut short where its bytes end.
    void need(std::size_t count) const {
        if (count > m_data.size() - m_position)
            throw InvalidStreamFormat(DictionaryFault::CutShort, m_data.size());
    }

    std::string_view m_data;
    std::size_t m_position = 0;
    std::size_t m_mark = 0;
};

// A set value over one 32-bit slice. Names are looked up among all 128 attributes; only
// ordinals below 32 have a bit in a slice, so the others are accepted and set nothing.
std::uint32_t readSlice(StreamReader& in) {
    if (in.tag() != ValueTag::Set)
        throw in.damaged();
    std::uint32_t bits = 0;
    for (std::string_view name = in.shortString(); !name.empty(); name = in.shortString()) {
        const auto ordinal = attributeOrdinal(name);
        if (!ordinal)
            throw in.damaged();
        if (*ordinal < 32)
            bits |= 1u << *ordinal;
    }
    return bits;
}

std::string* stringProperty(DictionaryItem& item, char name) {
    switch (name | 0x20) { // the names are single letters; | 0x20 folds the case
    case 'n':
        return &item.word;
    case 'd':
        return &item.definition;
    case 'a':
        return &item.extraA;
    case 'f':
        return &item.extraF;
    case 's':
        return &item.extraS;
    case 'j':
        return &item.extraJ;
    case 'p':
        return &item.extraP;
    case 'r':
        return &item.extraR;
    default:
        return nullptr;
    }
}

bool isTextName(char name) {
    switch (name | 0x20) {
    case 'n':
    case 'd':
    case 'a':
    case 'f':
    case 's':
    case 'j':
    case 'p':
    case 'r':
        return true;
    default:
        return false;
    }
}

bool isSliceName(std::string_view name) {
    return name.size() == 2 && (name[0] | 0x20) == 'a' && name[1] >= '1' && name[1] <= '4';
}

void readItemProperty(StreamReader& in, std::string_view name, DictionaryItem& item) {
    if (name.size() == 1) {
        if (std::string* text = stringProperty(item, name[0])) {
            const std::string_view value = in.stringValue();
            text->assign(value.data(), value.size());
            return;
        }
    } else if (isSliceName(name)) {
        item.setSlice(name[1] - '0', readSlice(in));
        return;
    }
    throw in.damaged();
}

// The same checks as reading the property, without keeping its value.
void checkItemProperty(StreamReader& in, std::string_view name) {
    if (name.size() == 1 && isTextName(name[0]))
        in.stringValue();
    else if (isSliceName(name))
        readSlice(in);
    else
        throw in.damaged();
}

// Items in file order: each is an optional integer (ignored), a list of properties, an end.
void indexItems(StreamReader& in, ItemIndex& index) {
    // A repeated Items property replaces what an earlier one brought.
    if (in.peek() != 0)
        index = ItemIndex{};
    constexpr std::size_t blockMask = (std::size_t{1} << ItemIndex::kBlockShift) - 1;
    for (std::size_t start = in.position(); in.peek() != 0; start = in.position()) {
        if ((index.count & blockMask) == 0)
            index.blockStarts.push_back(start);
        ValueTag tag = in.tag();
        if (tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32) {
            in.integerPayload(tag);
            tag = in.tag();
        }
        if (tag != ValueTag::List)
            throw in.damaged();
        for (std::string_view name = in.shortString(); !name.empty(); name = in.shortString())
            checkItemProperty(in, name);
        ++index.count;
    }
    in.tag(); // the end of the collection
}

void readRootProperty(StreamReader& in, std::string_view name, Dictionary& dictionary,
                      ItemIndex& index) {
    if (equalsNoCase(name, "Items")) {
        if (in.tag() != ValueTag::Collection)
            throw in.damaged();
        indexItems(in, index);
    } else if (equalsNoCase(name, "QuickDestroy")) {
        dictionary.quickDestroy = in.booleanValue();
    } else if (equalsNoCase(name, "Tag")) {
        dictionary.tag = in.integer();
    } else {
        throw in.damaged();
    }
}

} // namespace

ItemIndex indexDictionaryStream(std::string_view bytes, Dictionary& dictionary) {
    // A file shorter than the signature that begins like it was cut short, not replaced.
    constexpr std::string_view signature = "TPF0";
    if (!bytes.starts_with(signature) && signature.starts_with(bytes))
        throw InvalidStreamFormat(DictionaryFault::CutShort, bytes.size());
    if (!bytes.starts_with(signature))
        throw InvalidStreamFormat(DictionaryFault::NotADictionary, 0);
    StreamReader in(bytes, signature.size());
    if ((in.peek() & 0xF0) == 0xF0) {
        const std::uint8_t flags = in.byte() & 0x0F;
        if (flags & 2)
            in.integer(); // the child position, meaningless for a root
    }
    in.shortString(); // class name
    const std::string_view objectName = in.shortString();
    dictionary.name.assign(objectName.data(), objectName.size());
    ItemIndex index;
    for (std::string_view name = in.shortString(); !name.empty(); name = in.shortString())
        readRootProperty(in, name, dictionary, index);
    if (in.byte() != 0) // a dictionary has no child components
        throw in.damaged();
    return index;
}

std::size_t readItemAt(std::string_view bytes, std::size_t start, DictionaryItem& item) {
    StreamReader in(bytes, start);
    ValueTag tag = in.tag();
    if (tag != ValueTag::List) {
        in.integerPayload(tag);
        in.tag();
    }
    for (std::string_view name = in.shortString(); !name.empty(); name = in.shortString())
        readItemProperty(in, name, item);
    return in.position();
}

// --- writing -----------------------------------------------------------------

void ComponentWriter::shortString(std::string_view text) {
    if (text.size() > 255)
        text = text.substr(0, 255);
    bytes += static_cast<char>(text.size());
    bytes += text;
}

void ComponentWriter::int32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

void ComponentWriter::longString(std::string_view text) {
    int32(static_cast<std::int32_t>(text.size()));
    bytes += text;
}

void ComponentWriter::integer(std::int32_t value) {
    if (value >= -128 && value <= 127) {
        tag(ValueTag::Int8);
        bytes += static_cast<char>(value);
    } else if (value >= -32768 && value <= 32767) {
        tag(ValueTag::Int16);
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    } else {
        tag(ValueTag::Int32);
        int32(value);
    }
}

void ComponentWriter::stringValue(std::string_view text) {
    if (text.size() <= 255) {
        tag(ValueTag::String);
        shortString(text);
    } else {
        tag(ValueTag::LString);
        longString(text);
    }
}

namespace {

void writeString(ComponentWriter& out, std::string_view name, const std::string& value) {
    if (value.empty())
        return; // absent properties read back empty
    out.shortString(name);
    out.stringValue(value);
}

void writeSlice(ComponentWriter& out, int slice, std::uint32_t bits) {
    if (bits == 0)
        return;
    const char name[] = {'a', static_cast<char>('0' + slice)};
    out.shortString(std::string_view(name, 2));
    out.tag(ValueTag::Set);
    // A slice's bit k is written with the name of ordinal k, whichever slice it is.
    for (int k = 0; k < 32; ++k)
        if ((bits >> k) & 1u)
            out.shortString(attributeName(k));
    out.shortString({});
}

void writeItem(ComponentWriter& out, const DictionaryItem& item) {
    out.tag(ValueTag::List);
    writeString(out, "n", item.word);
    writeString(out, "d", item.definition);
    writeString(out, "a", item.extraA);
    writeString(out, "f", item.extraF);
    writeString(out, "s", item.extraS);
    writeString(out, "j", item.extraJ);
    writeString(out, "p", item.extraP);
    for (int slice = 1; slice <= 4; ++slice)
        writeSlice(out, slice, item.slice(slice));
    writeString(out, "r", item.extraR);
    out.end();
}

} // namespace

void DictionaryStreamWriter::begin(std::string_view name, std::int32_t tag,
                                   std::size_t expectedSize) {
    m_out.bytes.clear();
    m_out.bytes.reserve(64 + name.size() + expectedSize);
    m_out.signature();
    m_out.shortString("Dictionary");
    m_out.shortString(name);
    if (tag != 0) {
        m_out.shortString("Tag");
        m_out.integer(tag);
    }
    m_out.shortString("Items");
    m_out.tag(ValueTag::Collection);
}

void DictionaryStreamWriter::item(const DictionaryItem& item) {
    writeItem(m_out, item);
}

std::string DictionaryStreamWriter::finish(bool quickDestroy) {
    m_out.end();
    if (quickDestroy) {
        m_out.shortString("QuickDestroy");
        m_out.tag(ValueTag::True);
    }
    m_out.end(); // property list
    m_out.end(); // child components
    return std::move(m_out.bytes);
}

std::string writeDictionary(const Dictionary& dictionary) {
    DictionaryStreamWriter writer;
    const DictionaryItems& items = dictionary.items();
    writer.begin(dictionary.name, dictionary.tag, static_cast<std::size_t>(items.count()) * 48);
    items.forEach([&writer](const DictionaryItem& item) { writer.item(item); });
    return writer.finish(dictionary.quickDestroy);
}

} // namespace quorvel
