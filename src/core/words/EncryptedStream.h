// Byte streams (memory, file) and TEncryptedStream, the keyed scrambling filter of keyed
// dictionary files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quorvel {

// Seek origins; any other value counts as from the start.
enum SeekOrigin : int { SeekBegin = 0, SeekCurrent = 1, SeekEnd = 2 };

// An abstract random-access byte stream. Read and write return the bytes actually moved.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    virtual std::int64_t read(char* buffer, std::int64_t count) = 0;
    virtual std::int64_t write(const char* buffer, std::int64_t count) = 0;
    virtual std::int64_t seek(std::int64_t offset, int origin) = 0;
    virtual std::int64_t size() = 0;
    virtual void setSize(std::int64_t newSize) = 0;
    virtual std::int64_t position() = 0;

    // Reads until count bytes arrived or the stream has none left.
    std::int64_t readFully(char* buffer, std::int64_t count);
};

// A growable stream in memory.
class MemoryStream : public ByteStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::int64_t read(char* buffer, std::int64_t count) override;
    std::int64_t write(const char* buffer, std::int64_t count) override;
    std::int64_t seek(std::int64_t offset, int origin) override;
    std::int64_t size() override { return static_cast<std::int64_t>(m_bytes.size()); }
    void setSize(std::int64_t newSize) override;
    std::int64_t position() override { return m_position; }

    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    std::int64_t m_position = 0;
};

// A stream over an open file. Opening throws FileError ("Cannot open file " / "Cannot create
// file " + path); read and write failures throw FileError as well.
class FileStream : public ByteStream {
public:
    enum class Mode { Read, Create, ReadWrite };
    FileStream(const std::string& path, Mode mode);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    std::int64_t read(char* buffer, std::int64_t count) override;
    std::int64_t write(const char* buffer, std::int64_t count) override;
    std::int64_t seek(std::int64_t offset, int origin) override;
    std::int64_t size() override;
    void setSize(std::int64_t newSize) override;
    std::int64_t position() override;

private:
    std::string m_path;
    std::FILE* m_file = nullptr;
};

// Scrambles every byte written and unscrambles every byte read with a repeating key and a
// chaining byte. Stored form: one random seed byte, then the payload. Owns the inner stream.
// Only the two ends can be reached by seeking, so the stream is processed from its start.
class TEncryptedStream : public ByteStream {
public:
    // Draws the seed byte of a stream written from its start.
    using SeedSource = std::function<std::uint8_t()>;
    static SeedSource clockSeeds(); // a generator seeded from the clock

    // The key must not be empty.
    TEncryptedStream(std::unique_ptr<ByteStream> inner, std::string key,
                     SeedSource seeds = clockSeeds());

    std::int64_t read(char* buffer, std::int64_t count) override;
    std::int64_t write(const char* buffer, std::int64_t count) override;
    std::int64_t seek(std::int64_t offset, int origin) override;
    std::int64_t size() override;
    void setSize(std::int64_t newSize) override;
    std::int64_t position() override;

    ByteStream& inner() { return *m_inner; }

private:
    std::uint8_t nextKeyByte();

    std::unique_ptr<ByteStream> m_inner;
    std::string m_key;
    SeedSource m_seeds;
    int m_chain = 0;    // the last stored byte written or read, or the seed byte
    int m_keyIndex = 0; // 1-based position of the key byte last used; 0 before the first
};

// The stored form of plain bytes scrambled with key and the given seed byte.
std::string scrambleBytes(std::string_view plain, std::string_view key, std::uint8_t seed);
// The plain bytes of a stored scrambled form (empty for an empty input).
std::string unscrambleBytes(std::string_view stored, std::string_view key);

} // namespace quorvel
