// Knowledge-base items, their collection and the dictionary's file loading.
#include "words/Dictionary.h"

#include "base/FilePaths.h"
#include "base/Files.h"
#include "words/ComponentStream.h"
#include "words/EncryptedStream.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <new>

namespace quorvel {

// --- DictionaryItem -----------------------------------------------------------------

bool DictionaryItem::has(int ordinal) const {
    if (ordinal < 0 || ordinal >= kAttributeCount)
        return false;
    return (m_attributes[static_cast<std::size_t>(ordinal / 32)] >> (ordinal % 32)) & 1u;
}

void DictionaryItem::set(int ordinal, bool on) {
    if (ordinal < 0 || ordinal >= kAttributeCount)
        return;
    const std::uint32_t bit = 1u << (ordinal % 32);
    auto& slice = m_attributes[static_cast<std::size_t>(ordinal / 32)];
    slice = on ? (slice | bit) : (slice & ~bit);
}

bool DictionaryItem::hasAttributes() const {
    return (m_attributes[0] | m_attributes[1] | m_attributes[2] | m_attributes[3]) != 0;
}

std::vector<int> DictionaryItem::attributes() const {
    std::vector<int> ordinals;
    for (int i = 0; i < kAttributeCount; ++i)
        if (has(i))
            ordinals.push_back(i);
    return ordinals;
}

void DictionaryItem::assign(const DictionaryItem& source) {
    // The word is the item's identity; copying brings everything else.
    definition = source.definition;
    extraA = source.extraA;
    extraF = source.extraF;
    extraS = source.extraS;
    extraJ = source.extraJ;
    extraP = source.extraP;
    extraR = source.extraR;
    m_attributes = source.m_attributes;
}

// --- DictionaryItems ----------------------------------------------------------------

const DictionaryItem& DictionaryItems::at(int index) const {
    if (index < 0 || index >= m_count)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return (*this)[index];
}

DictionaryItem& DictionaryItems::at(int index) {
    return const_cast<DictionaryItem&>(static_cast<const DictionaryItems&>(*this).at(index));
}

DictionaryItems::DictionaryItems(const DictionaryItems& other) {
    for (int i = 0; i < other.count(); ++i)
        add() = other[i];
}

DictionaryItems::DictionaryItems(DictionaryItems&& other) noexcept
    : m_blocks(std::move(other.m_blocks)), m_source(std::move(other.m_source)),
      m_blockStarts(std::move(other.m_blockStarts)), m_count(other.m_count) {
    other.m_blocks.clear();
    other.m_blockStarts.clear();
    other.m_count = 0;
}

DictionaryItems& DictionaryItems::operator=(DictionaryItems other) noexcept {
    std::swap(m_blocks, other.m_blocks);
    std::swap(m_source, other.m_source);
    std::swap(m_blockStarts, other.m_blockStarts);
    std::swap(m_count, other.m_count);
    return *this;
}

int DictionaryItems::itemsInBlock(std::size_t blockIndex) const {
    const int first = static_cast<int>(blockIndex) << kBlockShift;
    return std::min(kBlockSize, m_count - first);
}

DictionaryItem* DictionaryItems::decodeBlock(std::size_t blockIndex) const {
    DictionaryItem* storage = std::allocator<DictionaryItem>().allocate(kBlockSize);
    std::size_t next = m_blockStarts[blockIndex];
    int constructed = 0;
    try {
        for (; constructed < itemsInBlock(blockIndex); ++constructed) {
            new (storage + constructed) DictionaryItem();
            next = readItemAt(*m_source, next, storage[constructed]);
        }
    } catch (...) {
        // Only memory can run out here: the stream was checked whole when it was loaded.
        for (int i = constructed; i >= 0; --i)
            storage[i].~DictionaryItem();
        std::allocator<DictionaryItem>().deallocate(storage, kBlockSize);
        throw;
    }
    m_blocks[blockIndex] = storage;
    return storage;
}

void DictionaryItems::adoptStream(std::shared_ptr<const std::string> source, std::size_t count,
                                  std::vector<std::size_t> blockStarts) {
    static_assert(kBlockShift == ItemIndex::kBlockShift);
    clear();
    if (count > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw DictionaryError(DictionaryFault::TooLarge);
    m_count = static_cast<int>(count);
    m_blocks.assign(blockStarts.size(), nullptr);
    m_source = std::move(source);
    m_blockStarts = std::move(blockStarts);
}

void DictionaryItems::forEach(const std::function<void(const DictionaryItem&)>& visit) const {
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
        const int inBlock = itemsInBlock(b);
        if (const DictionaryItem* decoded = m_blocks[b]) {
            for (int i = 0; i < inBlock; ++i)
                visit(decoded[i]);
            continue;
        }
        std::size_t next = m_blockStarts[b];
        for (int i = 0; i < inBlock; ++i) {
            DictionaryItem item;
            next = readItemAt(*m_source, next, item);
            visit(item);
        }
    }
}

DictionaryItem& DictionaryItems::add() {
    if ((m_count & kBlockMask) == 0) {
        m_blocks.reserve(m_blocks.size() + 1);
        m_blocks.push_back(std::allocator<DictionaryItem>().allocate(kBlockSize));
    } else {
        block(m_count - 1); // the last block must be decoded before it grows
    }
    DictionaryItem* item = new (&m_blocks.back()[m_count & kBlockMask]) DictionaryItem();
    ++m_count;
    return *item;
}

void DictionaryItems::clear() {
    // Block by block, each from its last item to its first; nothing searches the list.
    for (std::size_t b = m_blocks.size(); b-- > 0;) {
        if (DictionaryItem* storage = m_blocks[b]) {
            for (int i = itemsInBlock(b) - 1; i >= 0; --i)
                storage[i].~DictionaryItem();
            std::allocator<DictionaryItem>().deallocate(storage, kBlockSize);
        }
    }
    m_blocks = {};
    m_blockStarts = {};
    m_source.reset();
    m_count = 0;
}

// --- Dictionary ----------------------------------------------------------

namespace {

// Everything from the stream's current position to its end, read in as few calls as it takes.
std::string readRest(ByteStream& stream) {
    std::string bytes;
    const std::int64_t announced = stream.size() - stream.position();
    if (announced > 0) {
        bytes.resize(static_cast<std::size_t>(announced));
        bytes.resize(static_cast<std::size_t>(stream.readFully(bytes.data(), announced)));
    }
    char chunk[65536];
    std::int64_t got = 0;
    while ((got = stream.read(chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<std::size_t>(got));
    return bytes;
}

} // namespace

void Dictionary::loadFromFile(const std::string& path) {
    try {
        m_items.clear(); // empty from here on if anything fails
        loadFromBytes(readFile(path));
    } catch (DictionaryError& error) {
        error.path = path;
        throw;
    }
}

// The file's bytes, unscrambled when a key is set.
std::string Dictionary::readFile(const std::string& path) const {
    std::unique_ptr<ByteStream> file;
    try {
        file = std::make_unique<FileStream>(path, FileStream::Mode::Read);
    } catch (const FileError& error) {
        std::error_code lookedFor;
        const bool missing = !std::filesystem::exists(filePath(path), lookedFor) && !lookedFor;
        throw DictionaryError(missing ? DictionaryFault::Missing : DictionaryFault::CannotOpen, 0,
                              error.error);
    }
    try {
        if (m_key.empty())
            return readRest(*file);
        TEncryptedStream plain(std::move(file), m_key);
        return readRest(plain);
    } catch (const FileError& error) {
        throw DictionaryError(DictionaryFault::CannotRead, 0, error.error);
    } catch (const std::bad_alloc&) {
        throw DictionaryError(DictionaryFault::TooLarge);
    } catch (const std::exception&) {
        throw DictionaryError(DictionaryFault::CannotRead);
    }
}

void Dictionary::loadFromBytes(std::string_view bytes) {
    loadFromBytes(std::string(bytes));
}

void Dictionary::loadFromBytes(std::string&& bytes) {
    m_items.clear();
    try {
        auto source = std::make_shared<const std::string>(std::move(bytes));
        ItemIndex index = indexDictionaryStream(*source, *this);
        m_items.adoptStream(std::move(source), index.count, std::move(index.blockStarts));
    } catch (const InvalidStreamFormat& damage) {
        m_items.clear();
        throw DictionaryError(damage.fault, damage.offset);
    } catch (const DictionaryError&) {
        m_items.clear();
        throw;
    } catch (const std::exception&) {
        // A file that asks for more memory than there is.
        m_items.clear();
        throw DictionaryError(DictionaryFault::TooLarge);
    }
}

void Dictionary::saveToFile(const std::string& path) const {
    std::string bytes = writeDictionary(*this);
    if (!m_key.empty())
        bytes = scrambleBytes(bytes, m_key, TEncryptedStream::clockSeeds()());
    writeWholeFile(path, bytes);
}

} // namespace quorvel
