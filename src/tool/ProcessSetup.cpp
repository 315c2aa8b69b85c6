// The tool's process set-up on POSIX and on Windows.
#include "ProcessSetup.h"

#include "base/FilePaths.h"

#include <filesystem>

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h> // before shellapi.h, which needs its macros
#include <shellapi.h>
#endif

namespace quorvel::tool {

#ifdef _WIN32

std::string executableFolder(const char* argv0) {
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
        if (length == 0) {
            std::error_code error;
            return pathText(std::filesystem::absolute(filePath(argv0 ? argv0 : "."), error).parent_path());
        }
        if (length < self.size()) {
            self.resize(length);
            return pathText(std::filesystem::path(self).parent_path());
        }
        self.resize(self.size() * 2);
    }
}

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!wide)
        return {argv, argv + argc};
    for (int i = 0; i < count; ++i)
        arguments.push_back(pathText(std::filesystem::path(wide[i])));
    ::LocalFree(wide);
    return arguments;
}

void useBinaryStandardStreams() {
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

#else

std::string executableFolder(const char* argv0) {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        self = std::filesystem::absolute(argv0 ? argv0 : ".", error);
    return self.parent_path().string();
}

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void useBinaryStandardStreams() {}

#endif

} // namespace quorvel::tool
