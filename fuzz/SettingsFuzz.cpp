// libFuzzer target: any bytes as a settings file read safely; a write of a name and value taken
// from the input either is refused or reads back, and leaves every other line as it was.
#include "base/Files.h"
#include "records/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// On a memory file system: each write flushes to disk.
const std::string& settingsPath() {
    static const std::string path = "/dev/shm/quorvel-fuzz-" + std::to_string(::getpid()) + ".ini";
    return path;
}

std::string_view takeField(std::string_view& input) {
    const std::size_t bar = input.find('|');
    const std::string_view field = input.substr(0, std::min<std::size_t>(bar, 40));
    input.remove_prefix(bar == std::string_view::npos ? input.size() : bar + 1);
    return field;
}

// What a value reads back as: line breaks stored as blanks, then blanks and one pair of quotes
// gone at the ends.
std::string readBack(std::string_view value) {
    std::string text(value);
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view section = takeField(input);
    const std::string_view key = takeField(input);
    const std::string_view value = takeField(input);
    writeWholeFile(settingsPath(), input);

    IniFile ini(settingsPath());
    ini.readInteger(section, key, 1);
    if (!ini.writeString(section, key, value))
        return readWholeFile(settingsPath()) == input ? 0 : (std::abort(), 0);
    if (ini.readString(section, key, "default") != readBack(value))
        std::abort();
    // A second write of the same name changes its value in place, never adding a line.
    const std::size_t length = readWholeFile(settingsPath()).size();
    if (!ini.writeString(section, key, value) || readWholeFile(settingsPath()).size() != length)
        std::abort();
    return 0;
}
