// The knowledge-base dictionary: items with a word, a definition, six further texts and a
// 128-bit attribute set, loaded from (and written to) component stream files.
#pragma once

#include "words/DictionaryError.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

inline constexpr int kAttributeCount = 128;

// The name of attribute ordinal 0..127 (empty for any other ordinal).
std::string_view attributeName(int ordinal);
// The ordinal of an attribute name, compared without regard to letter case.
std::optional<int> attributeOrdinal(std::string_view name);

class DictionaryItem {
public:
    std::string word;       // stored as property "n"
    std::string definition; // stored as property "d"
    // Stored as properties "a", "f", "s", "j", "p" and "r": carried as loaded, never read.
    std::string extraA, extraF, extraS, extraJ, extraP, extraR;

    // Slice N (1..4) is bits 32*(N-1)..32*N-1 of the attribute set; bit k of the slice value
    // is attribute 32*(N-1)+k. Setting a slice leaves the other 96 bits as they are.
    std::uint32_t slice(int number) const { return m_attributes.at(number - 1); }
    void setSlice(int number, std::uint32_t bits) { m_attributes.at(number - 1) = bits; }
    bool has(int ordinal) const;
    void set(int ordinal, bool on = true);
    bool hasAttributes() const;
    std::vector<int> attributes() const; // the ordinals set, increasing

    // Copies everything but the word: the definition, the six extra texts and the attributes.
    void assign(const DictionaryItem& source);

    bool operator==(const DictionaryItem&) const = default;

private:
    std::array<std::uint32_t, 4> m_attributes{};
};

// The dictionary's items in file order, in blocks of 64 that never move (references stay
// valid until clear()). A loaded dictionary keeps its checked file bytes and where each block
// of items starts in them; a block's items are decoded from those bytes the first time one of
// them is used. Loading thus checks the whole file but builds only the items a game draws. Because
// reading may decode a block, even const access is not safe from several threads at once.
class DictionaryItems {
public:
    DictionaryItems() = default;
    DictionaryItems(const DictionaryItems& other);
    DictionaryItems(DictionaryItems&& other) noexcept;
    DictionaryItems& operator=(DictionaryItems other) noexcept;
    ~DictionaryItems() { clear(); }

    int count() const { return m_count; }
    const DictionaryItem& operator[](int index) const { return block(index)[index & kBlockMask]; }
    DictionaryItem& operator[](int index) { return block(index)[index & kBlockMask]; }
    // Checked access: throws std::out_of_range("List index out of bounds (i)").
    const DictionaryItem& at(int index) const;
    DictionaryItem& at(int index);

    DictionaryItem& add();
    void clear(); // linear in the number of decoded items

    // Every item in order, without keeping what it decodes: a pass over a whole dictionary
    // then costs one item's memory, not one per item.
    void forEach(const std::function<void(const DictionaryItem&)>& visit) const;

private:
    friend class Dictionary;
    // Takes a stream that has been checked whole, its item count and where each block starts.
    void adoptStream(std::shared_ptr<const std::string> source, std::size_t count,
                     std::vector<std::size_t> blockStarts);
    DictionaryItem* decodeBlock(std::size_t blockIndex) const;
    int itemsInBlock(std::size_t blockIndex) const;

    static constexpr int kBlockShift = 6;
    static constexpr int kBlockSize = 1 << kBlockShift;
    static constexpr int kBlockMask = kBlockSize - 1;

    DictionaryItem* block(int index) const {
        const auto blockIndex = static_cast<std::size_t>(index >> kBlockShift);
        DictionaryItem* items = m_blocks[blockIndex];
        return items ? items : decodeBlock(blockIndex);
    }

    mutable std::vector<DictionaryItem*>
        m_blocks; // raw storage of kBlockSize; null: not decoded yet
    std::shared_ptr<const std::string> m_source;
    std::vector<std::size_t> m_blockStarts; // per block, while blocks may wait for decoding
    int m_count = 0;
};

class Dictionary {
public:
    // Replaces the items by those of the file, through the scrambling filter when a key is
    // set. Throws DictionaryError; after a failure the dictionary is empty.
    void loadFromFile(const std::string& path);
    // The same over the file's bytes (already unscrambled).
    void loadFromBytes(std::string_view bytes);
    void loadFromBytes(std::string&& bytes);
    // Writes the dictionary (scrambled when a key is set) safely; throws FileError.
    void saveToFile(const std::string& path) const;

    const DictionaryItems& items() const { return m_items; }
    DictionaryItems& items() { return m_items; }

    void setKey(std::string key) { m_key = std::move(key); }
    const std::string& key() const { return m_key; }

    bool quickDestroy = false;
    std::int32_t tag = 0;
    std::string name; // the object name stored in the file

private:
    std::string readFile(const std::string& path) const;

    DictionaryItems m_items;
    std::string m_key;
};

// The component stream bytes of the dictionary (plain, never scrambled): strings of up to 255
// bytes as short strings, longer ones as long strings, empty properties and sets left out.
std::string writeDictionary(const Dictionary& dictionary);

} // namespace quorvel
