#include "bench/win32/measure/LinuxSide.h"

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/win32/base/Handles.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::unix_side {
namespace {

std::string ReadAll(const std::wstring& path) {
    // A process that ends while its files are read fails the read, and the stream throws.
    try {
        std::ifstream in(path.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

bool Available() { return GetFileAttributesW(L"Z:\\proc\\self\\status") != INVALID_FILE_ATTRIBUTES; }

int FindProcess(const std::wstring& marker) {
    std::string wanted = win32::ToUtf8(marker);
    std::transform(wanted.begin(), wanted.end(), wanted.begin(), [](unsigned char c) { return std::tolower(c); });
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int pid = 0;
    do {
        const int candidate = _wtoi(found.cFileName);
        if (candidate <= 0) continue;
        std::string line = ReadAll(L"Z:\\proc\\" + std::wstring(found.cFileName) + L"\\cmdline");
        std::transform(line.begin(), line.end(), line.begin(), [](unsigned char c) { return std::tolower(c); });
        if (line.find(wanted) != std::string::npos) pid = candidate;
    } while (!pid && FindNextFileW(search, &found));
    FindClose(search);
    return pid;
}

double CpuSeconds(int pid) {
    const std::wstring tasks = L"Z:\\proc\\" + std::to_wstring(pid) + L"\\task\\";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((tasks + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    double total = 0;
    do {
        if (_wtoi(found.cFileName) <= 0) continue;
        std::istringstream fields(ReadAll(tasks + found.cFileName + L"\\schedstat"));
        double nanoseconds = 0;
        fields >> nanoseconds;
        total += nanoseconds / 1e9;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return total;
}

Resident ResidentMiB(int pid) {
    std::istringstream lines(ReadAll(L"Z:\\proc\\" + std::to_wstring(pid) + L"\\status"));
    Resident resident;
    for (std::string line; std::getline(lines, line);) {
        const auto field = [&](const char* name, double& mib) {
            if (line.rfind(name, 0) == 0) mib = std::atof(line.c_str() + std::strlen(name)) / 1024.0;
        };
        field("RssFile:", resident.fileBacked);
        field("RssAnon:", resident.own);
        field("RssShmem:", resident.shared);
    }
    return resident;
}

std::optional<double> PrivateMemoryMiB(DWORD processId, const std::wstring& marker) {
    win32::UniqueKernelHandle process{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId)};
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (process && GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                        sizeof(counters)) &&
        counters.PrivateUsage != 0) {
        return counters.PrivateUsage / (1024.0 * 1024.0);
    }
    if (!Available()) return std::nullopt;
    if (const int pid = FindProcess(marker)) {
        if (const double own = ResidentMiB(pid).own; own >= 0) return own;
    }
    return std::nullopt;
}

}  // namespace yomorina::unix_side
