// The operating-system calls of SystemCalls.h on Windows, through the wide-character API.
#include "base/SystemCalls.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <thread>

#include <windows.h>

namespace quorvel {

namespace {

// Windows' reasons in the portable codes where there is one, so a message reads the same
// on every system ("No such file or directory", "No space left on device").
std::error_code windowsError(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::make_error_code(std::errc::device_or_resource_busy);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::make_error_code(std::errc::file_exists);
    case ERROR_WRITE_PROTECT:
        return std::make_error_code(std::errc::read_only_file_system);
    default:
        return {static_cast<int>(code), std::system_category()};
    }
}

std::error_code lastError() {
    return windowsError(::GetLastError());
}

// Another program holding the file open for a moment, or a file about to be deleted.
bool isMomentary(DWORD code) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
           code == ERROR_ACCESS_DENIED;
}

constexpr int kMoveAttempts = 20;
constexpr auto kMoveRetryDelay = std::chrono::milliseconds(50);

} // namespace

std::error_code writeNewFileDurably(const std::filesystem::path& path, std::string_view bytes) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    std::error_code failure;
    for (std::size_t done = 0; done < bytes.size() && !failure;) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD wrote = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr))
            failure = lastError();
        else if (wrote == 0)
            failure = std::make_error_code(std::errc::io_error);
        done += wrote;
    }
    if (!failure && !::FlushFileBuffers(file))
        failure = lastError();
    if (!::CloseHandle(file) && !failure)
        failure = lastError();
    return failure;
}

std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    // POSIX replaces a read-only file in a writable folder; Windows refuses until the file's
    // read-only mark is off. The new file carries the mark again when the caller kept it.
    const DWORD attributes = ::GetFileAttributesW(to.c_str());
    const bool readOnly =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (readOnly)
        ::SetFileAttributesW(to.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        const DWORD why = ::GetLastError();
        if (!isMomentary(why) || attempt == kMoveAttempts) {
            if (readOnly)
                ::SetFileAttributesW(to.c_str(), attributes);
            return windowsError(why);
        }
        std::this_thread::sleep_for(kMoveRetryDelay);
    }
}

void flushFolder(const std::filesystem::path&) {
    // The move was written through; Windows has no folder to flush.
}

namespace {

// The byte the game's writers lock: far past the end of any record file, so the lock keeps
// them in turn without barring a reader (Windows' byte locks are mandatory).
OVERLAPPED lockedByte() {
    OVERLAPPED place{};
    place.Offset = 0;
    place.OffsetHigh = 0x40000000;
    return place;
}

HANDLE handleOf(LockedFileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED place{};
    place.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    place.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return place;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

LockedFileHandle openLocked(const std::filesystem::path& path, bool& writable,
                            std::error_code& error) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    writable = file != INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED)
        file = ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr); // a lock needs no write access
    if (file == INVALID_HANDLE_VALUE) {
        error = lastError();
        return kNoLockedFile;
    }
    OVERLAPPED place = lockedByte();
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &place)) {
        error = lastError();
        ::CloseHandle(file);
        return kNoLockedFile;
    }
    return reinterpret_cast<LockedFileHandle>(file);
}

void closeLocked(LockedFileHandle file) {
    OVERLAPPED place = lockedByte();
    ::UnlockFileEx(handleOf(file), 0, 1, 0, &place);
    ::CloseHandle(handleOf(file));
}

bool isStillAt(LockedFileHandle file, const std::filesystem::path& path) {
    BY_HANDLE_FILE_INFORMATION opened{};
    BY_HANDLE_FILE_INFORMATION named{};
    if (!::GetFileInformationByHandle(handleOf(file), &opened))
        return false;
    const HANDLE other = ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (other == INVALID_HANDLE_VALUE)
        return false;
    const bool read = ::GetFileInformationByHandle(other, &named);
    ::CloseHandle(other);
    return read && opened.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           opened.nFileIndexHigh == named.nFileIndexHigh &&
           opened.nFileIndexLow == named.nFileIndexLow;
}

std::error_code lockedFileSize(LockedFileHandle file, std::uint64_t& size) {
    if (::GetFileType(handleOf(file)) != FILE_TYPE_DISK)
        return std::make_error_code(std::errc::invalid_argument);
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(handleOf(file), &length))
        return lastError();
    size = static_cast<std::uint64_t>(length.QuadPart);
    return {};
}

bool readByteAt(LockedFileHandle file, std::uint64_t offset, char& byte) {
    OVERLAPPED place = at(offset);
    DWORD got = 0;
    return ::ReadFile(handleOf(file), &byte, 1, &got, &place) && got == 1;
}

std::error_code appendFlushed(LockedFileHandle file, std::string_view bytes,
                              std::uint64_t oldSize) {
    const HANDLE handle = handleOf(file);
    std::error_code failure;
    // Every writer holds the lock, so the end read before is still the end: the bytes go there.
    for (std::size_t done = 0; done < bytes.size() && !failure;) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        OVERLAPPED place = at(oldSize + done);
        DWORD wrote = 0;
        if (!::WriteFile(handle, bytes.data() + done, chunk, &wrote, &place))
            failure = lastError();
        else if (wrote == 0)
            failure = std::make_error_code(std::errc::io_error);
        done += wrote;
    }
    if (!failure && !::FlushFileBuffers(handle))
        failure = lastError();
    if (failure) {
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(oldSize);
        if (::SetFilePointerEx(handle, end, nullptr, FILE_BEGIN))
            ::SetEndOfFile(handle); // a file that cannot even be cut back is left as it is
    }
    return failure;
}

long currentProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

bool processHasEnded(long id) {
    if (id < 0) // long has 32 bits here, as a process id has
        return true;
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                         static_cast<DWORD>(id));
    if (!process)
        return ::GetLastError() == ERROR_INVALID_PARAMETER; // no such process
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

bool mayCreateFilesIn(const std::filesystem::path& folder) {
    // Windows' permissions are lists of rules; the one sure answer is a file made and let go.
    std::random_device random;
    const std::filesystem::path probe =
        folder / (L".quorvel-probe-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                  std::to_wstring(random()));
    const HANDLE file =
        ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                      nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

std::tm localTime(std::time_t moment) {
    std::tm local{};
    ::localtime_s(&local, &moment);
    return local;
}

} // namespace quorvel
