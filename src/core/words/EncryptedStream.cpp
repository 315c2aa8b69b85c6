// Byte streams and the keyed scrambling filter.
#include "words/EncryptedStream.h"

#include "base/FilePaths.h"
#include "base/Files.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

namespace quorvel {

std::int64_t ByteStream::readFully(char* buffer, std::int64_t count) {
    std::int64_t total = 0;
    while (total < count) {
        const std::int64_t got = read(buffer + total, count - total);
        if (got <= 0)
            break;
        total += got;
    }
    return total;
}

// --- MemoryStream ------------------------------------------------------------

std::int64_t MemoryStream::read(char* buffer, std::int64_t count) {
    const std::int64_t available = size() - m_position;
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, std::max<std::int64_t>(available, 0));
    if (n > 0)
        std::memcpy(buffer, m_bytes.data() + m_position, static_cast<std::size_t>(n));
    m_position += n;
    return n;
}

std::int64_t MemoryStream::write(const char* buffer, std::int64_t count) {
    if (count <= 0)
        return 0;
    const auto end = static_cast<std::size_t>(m_position + count);
    if (end > m_bytes.size())
        m_bytes.resize(end);
    std::memcpy(m_bytes.data() + m_position, buffer, static_cast<std::size_t>(count));
    m_position += count;
    return count;
}

std::int64_t MemoryStream::seek(std::int64_t offset, int origin) {
    std::int64_t target = offset;
    if (origin == SeekCurrent)
        target += m_position;
    else if (origin == SeekEnd)
        target += size();
    if (target >= 0)
        m_position = target;
    return m_position;
}

void MemoryStream::setSize(std::int64_t newSize) {
    m_bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(newSize, 0)));
    m_position = std::min(m_position, size());
}

// --- FileStream --------------------------------------------------------------

FileStream::FileStream(const std::string& path, Mode mode) : m_path(path) {
    const char* modes[] = {"rb", "w+b", "r+b"};
    std::error_code error;
    int why = EISDIR;
    if (!std::filesystem::is_directory(filePath(path), error)) { // a folder opens on some systems
        m_file = openFile(path, modes[static_cast<int>(mode)]);
        why = errno;
    }
    if (!m_file)
        throw FileError((mode == Mode::Create ? "Cannot create file " : "Cannot open file ") + path,
                        std::error_code(why, std::generic_category()));
}

FileStream::~FileStream() {
    std::fclose(m_file);
}

std::int64_t FileStream::read(char* buffer, std::int64_t count) {
    if (count <= 0)
        return 0;
    std::fseek(m_file, 0, SEEK_CUR); // a C stream needs a seek between writing and reading
    const std::size_t got = std::fread(buffer, 1, static_cast<std::size_t>(count), m_file);
    if (std::ferror(m_file))
        throw FileError("Cannot read file " + m_path,
                        std::error_code(errno, std::generic_category()));
    return static_cast<std::int64_t>(got);
}

std::int64_t FileStream::write(const char* buffer, std::int64_t count) {
    if (count <= 0)
        return 0;
    std::fseek(m_file, 0, SEEK_CUR);
    const std::size_t put = std::fwrite(buffer, 1, static_cast<std::size_t>(count), m_file);
    if (put != static_cast<std::size_t>(count))
        throw FileError("Cannot write file " + m_path);
    return static_cast<std::int64_t>(put);
}

std::int64_t FileStream::seek(std::int64_t offset, int origin) {
    const int whence = origin == SeekCurrent ? SEEK_CUR : origin == SeekEnd ? SEEK_END : SEEK_SET;
    std::fseek(m_file, static_cast<long>(offset), whence); // a failed seek stays put
    return position();
}

std::int64_t FileStream::size() {
    const long here = std::ftell(m_file);
    std::fseek(m_file, 0, SEEK_END);
    const long end = std::ftell(m_file);
    std::fseek(m_file, here, SEEK_SET);
    return end;
}

void FileStream::setSize(std::int64_t newSize) {
    const std::int64_t here = position();
    std::fflush(m_file);
    std::error_code error;
    std::filesystem::resize_file(
        filePath(m_path), static_cast<std::uintmax_t>(std::max<std::int64_t>(newSize, 0)), error);
    if (error)
        throw FileError("Cannot write file " + m_path);
    std::fseek(m_file, static_cast<long>(std::min(here, size())), SEEK_SET);
}

std::int64_t FileStream::position() {
    return std::ftell(m_file);
}

// --- TEncryptedStream --------------------------------------------------------

TEncryptedStream::SeedSource TEncryptedStream::clockSeeds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    auto engine = std::make_shared<std::minstd_rand>(static_cast<std::uint32_t>(now));
    return [engine] { return static_cast<std::uint8_t>((*engine)() & 0xFF); };
}

TEncryptedStream::TEncryptedStream(std::unique_ptr<ByteStream> inner, std::string key,
                                   SeedSource seeds)
    : m_inner(std::move(inner)), m_key(std::move(key)), m_seeds(std::move(seeds)) {
    assert(!m_key.empty());
}

std::uint8_t TEncryptedStream::nextKeyByte() {
    // The key runs 1..length, 1..length across the whole stream, whatever the call sizes.
    m_keyIndex = m_keyIndex < static_cast<int>(m_key.size()) ? m_keyIndex + 1 : 1;
    return static_cast<std::uint8_t>(m_key[static_cast<std::size_t>(m_keyIndex - 1)]);
}

std::int64_t TEncryptedStream::read(char* buffer, std::int64_t count) {
    if (count <= 0)
        return 0;
    if (m_inner->position() == 0) {
        char seed = 0;
        if (m_inner->read(&seed, 1) == 1)
            m_chain = static_cast<std::uint8_t>(seed);
        m_keyIndex = 0;
    }
    const std::int64_t got = m_inner->read(buffer, count);
    for (std::int64_t i = 0; i < got; ++i) {
        const auto stored = static_cast<std::uint8_t>(buffer[i]);
        buffer[i] = static_cast<char>(((stored ^ nextKeyByte()) - m_chain) & 0xFF);
        m_chain = stored;
    }
    return got;
}

std::int64_t TEncryptedStream::write(const char* buffer, std::int64_t count) {
    if (count <= 0)
        return 0;
    if (m_inner->position() == 0) {
        m_keyIndex = 0;
        const std::uint8_t seed = m_seeds();
        m_chain = seed;
        const char seedByte = static_cast<char>(seed);
        m_inner->write(&seedByte, 1);
    }
    std::vector<char> stored(buffer, buffer + count);
    for (char& c : stored) {
        const auto plain = static_cast<std::uint8_t>(c);
        const int scrambled = ((plain + m_chain) & 0xFF) ^ nextKeyByte();
        c = static_cast<char>(scrambled);
        m_chain = scrambled;
    }
    return m_inner->write(stored.data(), count);
}

std::int64_t TEncryptedStream::size() {
    const std::int64_t inner = m_inner->size();
    return inner > 0 ? inner - 1 : 0;
}

std::int64_t TEncryptedStream::position() {
    const std::int64_t inner = m_inner->position();
    return inner > 0 ? inner - 1 : 0;
}

std::int64_t TEncryptedStream::seek(std::int64_t offset, int origin) {
    std::int64_t target = offset;
    if (origin == SeekCurrent)
        target += position();
    else if (origin == SeekEnd)
        target += size();
    target = std::clamp<std::int64_t>(target, 0, size());
    if (target == 0) {
        // The next read re-reads the seed; the next write draws a new one.
        m_inner->seek(0, SeekBegin);
        return 0;
    }
    if (target == size()) {
        m_inner->seek(0, SeekEnd);
        return target;
    }
    return position(); // the chain cannot be rebuilt in the middle of the stream
}

void TEncryptedStream::setSize(std::int64_t newSize) {
    const std::int64_t remembered = m_inner->position();
    m_inner->setSize(newSize > 0 ? newSize + 1 : 0);
    if (m_inner->position() != remembered)
        m_inner->seek(0, SeekBegin);
}

std::string scrambleBytes(std::string_view plain, std::string_view key, std::uint8_t seed) {
    auto memory = std::make_unique<MemoryStream>();
    MemoryStream* target = memory.get();
    TEncryptedStream stream(std::move(memory), std::string(key), [seed] { return seed; });
    stream.write(plain.data(), static_cast<std::int64_t>(plain.size()));
    return target->bytes();
}

std::string unscrambleBytes(std::string_view stored, std::string_view key) {
    TEncryptedStream stream(std::make_unique<MemoryStream>(std::string(stored)), std::string(key));
    std::string plain(static_cast<std::size_t>(stream.size()), '\0');
    plain.resize(static_cast<std::size_t>(stream.readFully(plain.data(), stream.size())));
    return plain;
}

} // namespace quorvel
