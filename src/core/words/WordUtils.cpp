// Word utilities: the board's character filter, whole-file helpers and the field reader.
#include "words/WordUtils.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

namespace quorvel {

namespace {

// Code page 437 accented letters that have a Windows-1252 capital; 0 marks "becomes '?'".
constexpr std::array<unsigned char, 0xBE - 0x80> kLetterMap = [] {
    std::array<unsigned char, 0xBE - 0x80> map{};
    const std::pair<int, int> letters[] = {{0x80, 0xC7}, {0x82, 0xC9}, {0x83, 0xC2}, {0x85, 0xC0},
                                           {0x87, 0xC7}, {0x88, 0xCA}, {0x89, 0xCB}, {0x8A, 0xC8},
                                           {0x8B, 0xCF}, {0x8C, 0xCE}, {0x93, 0xD4}, {0x95, 0xD2},
                                           {0x96, 0xDB}, {0x97, 0xD9}, {0xA0, 0xC1}};
    for (auto [from, to] : letters)
        map[from - 0x80] = static_cast<unsigned char>(to);
    return map;
}();

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

std::string filterLetters(std::string word) {
    for (char& c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 || byte >= 0xBE)
            continue;
        const unsigned char mapped = kLetterMap[byte - 0x80];
        c = static_cast<char>(mapped ? mapped : '?');
    }
    return word;
}

std::string readWholeFile(const std::string& path) {
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError("Cannot open file " + path);
    std::string bytes;
    std::error_code error;
    const auto expected = std::filesystem::file_size(path, error);
    if (!error && expected > 0) {
        bytes.resize(expected);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    }
    // The file may be longer than announced (or have no size at all, like a pipe).
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, got);
    if (std::ferror(file.get()))
        throw FileError("Cannot open file " + path);
    return bytes;
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

void writeWholeFile(const std::string& path, std::string_view text) {
    namespace fs = std::filesystem;
    const std::string failure = "Cannot create file " + path;
    std::error_code error;
    if (path.empty() || fs::is_directory(path, error))
        throw FileError(failure);
    // Through a symbolic link the file it points to is replaced, and the link stays.
    std::string target = path;
    if (fs::is_symlink(path, error)) {
        const auto resolved = fs::weakly_canonical(path, error);
        if (error)
            throw FileError(failure);
        target = resolved.string();
    }

    // A name no other writer picks at the same moment, in the same folder so rename is atomic.
    std::random_device random;
    const std::string temporary = target + ".tmp" + std::to_string(random() % 1000000000u);
    bool written = false;
    if (FilePtr file{std::fopen(temporary.c_str(), "wb")}) {
        written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size() &&
                  std::fflush(file.get()) == 0;
        written = (std::fclose(file.release()) == 0) && written;
    }
    if (written) {
        // Keep the permissions of the file we replace.
        const auto status = fs::status(target, error);
        if (!error && fs::exists(status))
            fs::permissions(temporary, status.permissions(), error);
        error.clear();
        fs::rename(temporary, target, error);
        written = !error;
    }
    if (!written) {
        fs::remove(temporary, error);
        throw FileError(failure);
    }
}

std::string nextField(std::string& text) {
    std::size_t start = (!text.empty() && text.front() == ',') ? 1 : 0;
    const std::size_t comma = text.find(',', start);
    const std::size_t end = comma == std::string::npos ? text.size() : comma;
    std::string field = text.substr(start, end - start);
    text.erase(0, end);
    return field;
}

} // namespace quorvel
