// Windows has no fork(): a test's child process is the test program started again with a job
// in its environment, which it runs instead of the tests, then ends.
#pragma once

#ifdef _WIN32

#include "base/FilePaths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include <windows.h>

namespace quorvel::test {

// What a child can be asked to do, by name; each job gets the text its parent gave it.
using ChildJob = std::function<void(const std::string& argument)>;

inline std::map<std::string, ChildJob>& childJobs() {
    static std::map<std::string, ChildJob> jobs;
    return jobs;
}

// Registers a job while the program starts: `const bool registered = registerChildJob(...);`.
inline bool registerChildJob(const std::string& name, ChildJob job) {
    childJobs()[name] = std::move(job);
    return true;
}

inline constexpr wchar_t kChildJobVariable[] = L"QUORVEL_TEST_CHILD_JOB";

// In a child, runs its job before the first test (once the jobs are registered) and ends.
class ChildJobRunner : public ::testing::Environment {
public:
    void SetUp() override {
        wchar_t buffer[32768];
        const DWORD length = ::GetEnvironmentVariableW(kChildJobVariable, buffer, 32768);
        if (length == 0 || length >= 32768)
            return;
        // "<job>\n<event handle>\n<argument>"
        const std::string text = pathText(std::filesystem::path(std::wstring(buffer, length)));
        const std::size_t first = text.find('\n');
        const std::size_t second = text.find('\n', first + 1);
        const auto job = childJobs().find(text.substr(0, first));
        if (first == std::string::npos || second == std::string::npos || job == childJobs().end())
            std::_Exit(3);
        const auto started = reinterpret_cast<HANDLE>(
            static_cast<std::uintptr_t>(std::stoull(text.substr(first + 1, second - first - 1))));
        ::SetEvent(started);
        job->second(text.substr(second + 1));
        std::_Exit(0);
    }
};

inline ::testing::Environment* const g_childJobRunner =
    ::testing::AddGlobalTestEnvironment(new ChildJobRunner);

class ChildProcess {
public:
    static constexpr UINT kKilled = 9;

    // Starts the job in a child and returns once the child is about to run it.
    ChildProcess(const std::string& job, const std::string& argument) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        m_started = ::CreateEventW(&inherited, TRUE, FALSE, nullptr);
        const HANDLE nowhere = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited,
                                             OPEN_EXISTING, 0, nullptr);
        wchar_t self[MAX_PATH];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        // The running test is the one the child selects, so that it starts its environment.
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::wstring line = L"\"" + std::wstring(self) + L"\" --gtest_filter=" +
                            filePath(std::string(info->test_suite_name()) + "." + info->name()).native();
        const std::string jobText = job + "\n" +
            std::to_string(reinterpret_cast<std::uintptr_t>(m_started)) + "\n" + argument;
        ::SetEnvironmentVariableW(kChildJobVariable, filePath(jobText).c_str());
        STARTUPINFOW start{};
        start.cb = sizeof start;
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdInput = nowhere;
        start.hStdOutput = nowhere;
        start.hStdError = nowhere;
        const BOOL made = ::CreateProcessW(self, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                           nullptr, &start, &m_child);
        ::SetEnvironmentVariableW(kChildJobVariable, nullptr);
        ::CloseHandle(nowhere);
        if (!made) {
            ADD_FAILURE() << "the child process did not start";
            m_child = {};
            return;
        }
        const HANDLE waits[] = {m_started, m_child.hProcess};
        ::WaitForMultipleObjects(2, waits, FALSE, 60000);
    }
    ~ChildProcess() {
        kill();
        ::CloseHandle(m_started);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    long id() const { return static_cast<long>(m_child.dwProcessId); }

    // Waits for the child to finish its job; its exit status (0 when the job ran through).
    int wait() {
        if (!m_child.hProcess)
            return -1;
        ::WaitForSingleObject(m_child.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(m_child.hProcess, &code);
        ::CloseHandle(m_child.hProcess);
        ::CloseHandle(m_child.hThread);
        m_child = {};
        return static_cast<int>(code);
    }

    // Ends the child at once; true when it was still at work (it had not finished its job).
    bool kill() {
        if (!m_child.hProcess)
            return false;
        ::TerminateProcess(m_child.hProcess, kKilled);
        ::WaitForSingleObject(m_child.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(m_child.hProcess, &code);
        ::CloseHandle(m_child.hProcess);
        ::CloseHandle(m_child.hThread);
        m_child = {};
        return code == kKilled;
    }

private:
    HANDLE m_started = nullptr;
    PROCESS_INFORMATION m_child{};
};

} // namespace quorvel::test

#endif
