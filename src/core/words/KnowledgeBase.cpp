// Knowledge-base items, their collection and the dictionary's file loading.
#include "words/KnowledgeBase.h"

#include "words/ComponentStream.h"
#include "words/EncryptedStream.h"
#include "words/WordUtils.h"

#include <new>

namespace quorvel {

// --- TKbItem -----------------------------------------------------------------

bool TKbItem::has(int ordinal) const {
    if (ordinal < 0 || ordinal >= kAttributeCount)
        return false;
    return (m_attributes[static_cast<std::size_t>(ordinal / 32)] >> (ordinal % 32)) & 1u;
}

void TKbItem::set(int ordinal, bool on) {
    if (ordinal < 0 || ordinal >= kAttributeCount)
        return;
    const std::uint32_t bit = 1u << (ordinal % 32);
    auto& slice = m_attributes[static_cast<std::size_t>(ordinal / 32)];
    slice = on ? (slice | bit) : (slice & ~bit);
}

bool TKbItem::hasAttributes() const {
    return (m_attributes[0] | m_attributes[1] | m_attributes[2] | m_attributes[3]) != 0;
}

std::vector<int> TKbItem::attributes() const {
    std::vector<int> ordinals;
    for (int i = 0; i < kAttributeCount; ++i)
        if (has(i))
            ordinals.push_back(i);
    return ordinals;
}

void TKbItem::assign(const TKbItem& source) {
    // The word is the item's identity; copying brings everything else.
    d = source.d;
    a = source.a;
    f = source.f;
    s = source.s;
    j = source.j;
    p = source.p;
    r = source.r;
    m_attributes = source.m_attributes;
}

// --- TKbItems ----------------------------------------------------------------

const TKbItem& TKbItems::at(int index) const {
    if (index < 0 || index >= m_count)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return (*this)[index];
}

TKbItem& TKbItems::at(int index) {
    return const_cast<TKbItem&>(static_cast<const TKbItems&>(*this).at(index));
}

TKbItems::TKbItems(const TKbItems& other) {
    for (int i = 0; i < other.count(); ++i)
        add() = other[i];
}

TKbItems::TKbItems(TKbItems&& other) noexcept
    : m_blocks(std::move(other.m_blocks)), m_count(other.m_count),
      m_constructed(other.m_constructed) {
    other.m_blocks.clear();
    other.m_count = 0;
    other.m_constructed = 0;
}

TKbItems& TKbItems::operator=(TKbItems other) noexcept {
    std::swap(m_blocks, other.m_blocks);
    std::swap(m_count, other.m_count);
    std::swap(m_constructed, other.m_constructed);
    return *this;
}

TKbItems::~TKbItems() {
    release();
}

TKbItem& TKbItems::add() {
    if (m_count < m_constructed) {
        // A recycled item: emptied field by field so its text buffers stay for the new item.
        TKbItem& item = (*this)[m_count++];
        for (std::string* text :
             {&item.n, &item.d, &item.a, &item.f, &item.s, &item.j, &item.p, &item.r})
            text->clear();
        for (int slice = 1; slice <= 4; ++slice)
            item.setSlice(slice, 0);
        return item;
    }
    if ((m_count >> kBlockShift) == static_cast<int>(m_blocks.size())) {
        m_blocks.reserve(m_blocks.size() + 1);
        m_blocks.push_back(std::allocator<TKbItem>().allocate(kBlockSize));
    }
    TKbItem* item = new (&(*this)[m_count]) TKbItem();
    m_constructed = ++m_count;
    return *item;
}

void TKbItems::clear() {
    m_count = 0;
}

void TKbItems::release() {
    // From the last item to the first; nothing searches the list while it empties.
    for (int i = m_constructed - 1; i >= 0; --i)
        (*this)[i].~TKbItem();
    for (TKbItem* storage : m_blocks)
        std::allocator<TKbItem>().deallocate(storage, kBlockSize);
    m_blocks.clear();
    m_count = 0;
    m_constructed = 0;
}

// --- tRQNDictionary ----------------------------------------------------------

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

void tRQNDictionary::loadFromFile(const std::string& path) {
    m_items.clear(); // empty from here on if anything fails
    std::unique_ptr<ByteStream> file;
    try {
        file = std::make_unique<FileStream>(path, FileStream::Mode::Read);
    } catch (const std::exception&) {
        throw KbError(kUnableToCreateStream);
    }
    std::string bytes;
    try {
        if (m_key.empty()) {
            bytes = readRest(*file);
        } else {
            TEncryptedStream plain(std::move(file), m_key);
            bytes = readRest(plain);
        }
    } catch (const std::exception&) {
        throw KbError(kUnableToLoadKnowledgeBase);
    }
    loadFromBytes(bytes);
}

void tRQNDictionary::loadFromBytes(std::string_view bytes) {
    m_items.clear();
    try {
        readDictionaryStream(bytes, *this);
    } catch (const std::exception&) {
        // A damaged file, or one that asks for more memory than there is.
        m_items.clear();
        throw KbError(kUnableToLoadKnowledgeBase);
    }
}

void tRQNDictionary::saveToFile(const std::string& path) const {
    std::string bytes = writeDictionary(*this);
    if (!m_key.empty())
        bytes = scrambleBytes(bytes, m_key, TEncryptedStream::clockSeeds()());
    writeWholeFile(path, bytes);
}

} // namespace quorvel
