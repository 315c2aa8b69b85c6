// The settings file: an INI file read and written key by key, as Windows profile strings are.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel {

// Section and key names match without regard to case; the first section and the first key of a
// name win. Lines the game does not write (comments, other sections, other keys, blank lines,
// line endings) are kept byte for byte. Every write goes straight to the file and replaces it
// safely (temporary file, then rename), so a failed write leaves the old file intact.
class IniFile {
public:
    explicit IniFile(std::string path);

    const std::string& path() const { return m_path; }

    // First run: copies the template byte for byte to `path` when `path` does not exist. True
    // when the file was created; false when it already existed or the template is unreadable.
    static bool createFromTemplate(const std::string& path, const std::string& templatePath);

    // A value that is absent, or not a whole decimal integer (optional sign, surrounding blanks
    // allowed, within int's range), reads as the default. Booleans are true for any non-zero.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // The value without surrounding blanks and without one pair of enclosing quotes.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // A new key is appended at the end of its section, a missing section at the end of the
    // file; new lines end in CR LF. False, with lastError() saying why, when the file could not
    // be replaced or the name cannot be written without damaging the file's structure.
    bool writeInteger(std::string_view section, std::string_view key, int value);
    bool writeBool(std::string_view section, std::string_view key, bool value);
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

    const std::string& lastError() const { return m_lastError; }

    // Writes between these two calls change the file once, at commitBatch(), with the same
    // bytes the writes one by one would have left: a shut-down that stores many keys then
    // leaves all old or all new values. Reads in between see the held-back text. commitBatch
    // is false, with lastError(), when the file could not be replaced.
    void beginBatch();
    bool commitBatch();

    // Files beyond this size are not settings files: they read as empty and are never replaced.
    static constexpr std::uintmax_t kMaxSize = 64u * 1024 * 1024;

private:
    // The file's text, reloaded when the file changed on disk since it was last read.
    bool refresh() const;
    bool replace(std::string text);

    std::string m_path;
    mutable std::string m_text;
    mutable bool m_usable = true; // false: the file exists but is unreadable or oversized
    mutable bool m_loaded = false;
    mutable std::uintmax_t m_size = 0;
    mutable std::filesystem::file_time_type m_time{};
    std::string m_lastError;
    bool m_batching = false;
    bool m_batchChanged = false;
};

} // namespace quorvel
