#include "tests/e2e/ProcessMemory.h"

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/win32/base/Handles.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::e2e {
namespace {

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The Linux process whose command line holds marker; 0 when none does.
int LinuxProcess(const std::wstring& marker) {
    const std::string wanted = Lowered(win32::ToUtf8(marker));
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int pid = 0;
    do {
        const int candidate = _wtoi(found.cFileName);
        if (candidate <= 0) continue;
        if (Lowered(ReadAll(L"Z:\\proc\\" + std::wstring(found.cFileName) + L"\\cmdline")).find(wanted) !=
            std::string::npos) {
            pid = candidate;
        }
    } while (!pid && FindNextFileW(search, &found));
    FindClose(search);
    return pid;
}

std::optional<double> RssAnonMiB(int pid) {
    std::istringstream lines(ReadAll(L"Z:\\proc\\" + std::to_wstring(pid) + L"\\status"));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("RssAnon:", 0) == 0) return std::atof(line.c_str() + 8) / 1024.0;
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> PrivateMemoryMiB(DWORD processId, const std::wstring& marker) {
    win32::UniqueKernelHandle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId)};
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (process && GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                        sizeof(counters)) &&
        counters.PrivateUsage != 0) {
        return counters.PrivateUsage / (1024.0 * 1024.0);
    }
    if (const int pid = LinuxProcess(marker)) return RssAnonMiB(pid);
    return std::nullopt;
}

}  // namespace yomorina::e2e
