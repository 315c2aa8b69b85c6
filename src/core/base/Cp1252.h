// Conversion between the core's Windows-1252 bytes and UTF-8 for display and tool output.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Every byte has a Unicode value: the five bytes Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the C1 controls of the same value, so the conversion round-trips.
std::string cp1252ToUtf8(std::string_view bytes);

// nullopt when the text is not valid UTF-8 or holds a character Windows-1252 cannot hold.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

} // namespace quorvel
