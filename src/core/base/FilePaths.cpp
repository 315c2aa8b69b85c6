// UTF-8 file names handed to the system: as they are on POSIX, as UTF-16 on Windows.
#include "base/FilePaths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvel {

#ifdef _WIN32

namespace {

std::wstring wideOf(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0'); // never more units than bytes
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return wide;
}

} // namespace

std::filesystem::path filePath(std::string_view utf8) {
    return std::filesystem::path(wideOf(utf8));
}

std::string pathText(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::FILE* openFile(const std::string& utf8, const char* mode) {
    return ::_wfopen(wideOf(utf8).c_str(), wideOf(mode).c_str());
}

#else

std::filesystem::path filePath(std::string_view utf8) {
    return std::filesystem::path(utf8);
}

std::string pathText(const std::filesystem::path& path) {
    return path.string();
}

std::FILE* openFile(const std::string& utf8, const char* mode) {
    return std::fopen(utf8.c_str(), mode);
}

#endif

} // namespace quorvel
