// File names as the game keeps them (UTF-8 text) and as the operating system takes them.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel {

// The path a UTF-8 file name stands for. On Windows it goes through the wide-character names,
// so a folder outside the code page (a player's name in another script) still opens.
std::filesystem::path filePath(std::string_view utf8);

// A path as UTF-8 text, the inverse of filePath.
std::string pathText(const std::filesystem::path& path);

// std::fopen for a UTF-8 name; the mode is the caller's ("rb", "w+b", ...).
std::FILE* openFile(const std::string& utf8, const char* mode);

} // namespace quorvel
