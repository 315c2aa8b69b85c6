// The settings file: key lookup over the file's lines and in-place edits of single lines.
#include "records/IniFile.h"

#include "base/FilePaths.h"
#include "base/Files.h"

#include <charconv>
#include <optional>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// One line of the text: [begin, end) without its line ending, next is where the next line starts.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

// A line ends at CR LF, LF, a lone CR or CR CR LF (a file once converted twice); the ending
// itself is never part of a value and is kept as it is.
Line lineAt(std::string_view text, std::size_t begin) {
    Line line{begin, text.find_first_of("\r\n", begin), 0};
    if (line.end == std::string_view::npos) {
        line.end = line.next = text.size();
        return line;
    }
    std::size_t next = line.end + 1;
    if (text[line.end] == '\r') {
        if (text.substr(next, 1) == "\n")
            next += 1;
        else if (text.substr(next, 2) == "\r\n")
            next += 2;
    }
    line.next = next;
    return line;
}

// Where a key is, or where it would go.
struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    std::size_t valueBegin = 0; // the raw value: from after '=' to the end of the line
    std::size_t valueEnd = 0;
    Line last; // the section header or its last key line: a new key goes after it
};

// Names are compared as they are written: without surrounding blanks.
Location locate(std::string_view text, std::string_view section, std::string_view key) {
    section = trim(section);
    key = trim(key);
    Location where;
    bool inSection = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = lineAt(text, pos);
        pos = line.next;
        std::string_view content = text.substr(line.begin, line.end - line.begin);
        if (line.begin == 0 && content.starts_with(kUtf8Mark))
            content.remove_prefix(kUtf8Mark.size());
        const std::string_view trimmed = trim(content);
        if (trimmed.starts_with('[')) {
            if (inSection)
                break; // the first section of the name is the one that counts
            const std::string_view name = trim(trimmed.substr(1, trimmed.find(']') - 1));
            if (!where.sectionFound && equalNoCase(name, section)) {
                inSection = where.sectionFound = true;
                where.last = line;
            }
            continue;
        }
        if (!inSection || trimmed.empty() || trimmed.starts_with(';'))
            continue;
        const auto equals = content.find('=');
        if (equals == std::string_view::npos)
            continue;
        if (equalNoCase(trim(content.substr(0, equals)), key)) {
            where.keyFound = true;
            where.valueBegin = static_cast<std::size_t>(content.data() - text.data()) + equals + 1;
            where.valueEnd = line.end;
            return where;
        }
        where.last = line;
    }
    return where;
}

std::optional<int> parseInteger(std::string_view text) {
    text = trim(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.empty() || text.front() < '0' || text.front() > '9')
            return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Names that would read back as something else, or split the file, are refused.
bool isWritableName(std::string_view section, std::string_view key) {
    const std::string_view s = trim(section);
    const std::string_view k = trim(key);
    return !s.empty() && !k.empty() && s.find(']') == std::string_view::npos &&
           k.find('=') == std::string_view::npos && !k.starts_with('[') && !k.starts_with(';') &&
           !hasLineBreak(section) && !hasLineBreak(key);
}

} // namespace

IniFile::IniFile(std::string path) : m_path(std::move(path)) {}

bool IniFile::createFromTemplate(const std::string& path, const std::string& templatePath) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(filePath(path), error)))
        return false;
    if (!fs::is_regular_file(filePath(templatePath), error) ||
        fs::file_size(filePath(templatePath), error) > kMaxSize)
        return false;
    try {
        writeWholeFile(path, readWholeFile(templatePath));
        return true;
    } catch (const FileError&) {
        return false;
    }
}

bool IniFile::refresh() const {
    if (m_batching)
        return m_usable; // the held-back text is the file until the batch is committed
    std::error_code error;
    const auto status = fs::status(filePath(m_path), error);
    if (!fs::exists(status)) {
        m_text.clear();
        m_loaded = false;
        return m_usable = true;
    }
    const auto size = fs::is_regular_file(status) ? fs::file_size(filePath(m_path), error) : 0;
    const auto time = fs::last_write_time(filePath(m_path), error);
    if (m_loaded && size == m_size && time == m_time)
        return m_usable;
    m_text.clear();
    m_usable = fs::is_regular_file(status) && size <= kMaxSize;
    if (m_usable) {
        try {
            m_text = readWholeFile(m_path);
            m_usable = m_text.size() <= kMaxSize;
        } catch (const FileError&) {
            m_usable = false;
        }
    }
    if (!m_usable)
        m_text.clear();
    m_loaded = true;
    m_size = size;
    m_time = time;
    return m_usable;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    if (!refresh())
        return std::string(defaultValue);
    const Location where = locate(m_text, section, key);
    if (!where.keyFound)
        return std::string(defaultValue);
    std::string_view value =
        trim(std::string_view(m_text).substr(where.valueBegin, where.valueEnd - where.valueBegin));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    return parseInteger(readString(section, key, {})).value_or(defaultValue);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

bool IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    if (!isWritableName(section, key)) {
        m_lastError = "Cannot store the setting \"" + std::string(key) + "\" in " + m_path;
        return false;
    }
    if (!refresh()) {
        m_lastError =
            "The settings file " + m_path + " is too large or cannot be read; it was left as it is";
        return false;
    }
    // A line break in a value would start a new line of the file: store it as a blank.
    std::string line(value);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';

    std::string text = m_batching ? std::move(m_text) : m_text;
    const Location where = locate(text, section, key);
    if (where.keyFound) {
        text.replace(where.valueBegin, where.valueEnd - where.valueBegin, line);
    } else {
        std::string added = std::string(trim(key)) + "=" + line + "\r\n";
        std::size_t at = text.size();
        if (where.sectionFound)
            at = where.last.next;
        else
            added = "[" + std::string(trim(section)) + "]\r\n" + added;
        // The line we add after may be the file's last line, without a line ending.
        if (at == text.size() && !text.empty() && text.back() != '\n' && text.back() != '\r')
            added = "\r\n" + added;
        text.insert(at, added);
    }
    if (m_batching) {
        m_text = std::move(text);
        m_batchChanged = true;
        return true;
    }
    // A value stored again as it is leaves the file alone: start-up stores the level it has
    // just read, and each replacement waits for the disk.
    if (m_loaded && text == m_text)
        return true;
    return replace(std::move(text));
}

void IniFile::beginBatch() {
    refresh();
    m_batching = true;
    m_batchChanged = false;
}

bool IniFile::commitBatch() {
    m_batching = false;
    if (!m_batchChanged)
        return true;
    m_batchChanged = false;
    return replace(m_text);
}

bool IniFile::replace(std::string text) {
    try {
        writeWholeFile(m_path, text);
    } catch (const FileError& error) {
        m_lastError = error.what();
        m_loaded = false;
        return false;
    }
    m_text = std::move(text);
    std::error_code error;
    m_size = fs::file_size(filePath(m_path), error);
    m_time = fs::last_write_time(filePath(m_path), error);
    m_loaded = !error;
    m_usable = true;
    return true;
}

} // namespace quorvel
