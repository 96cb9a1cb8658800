#pragma once
// Reading what RecordArguments.exe (the launched stand-in program) wrote:
// one file per start, its command line first, then one argument per line.

#include <windows.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace yomorina::testing {

inline std::wstring FolderOfThisProgram() {
    wchar_t module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path(module, length);
    return path.substr(0, path.find_last_of(L'\\'));
}

// Built beside the test programs.
inline std::wstring RecordArgumentsExe() { return FolderOfThisProgram() + L"\\RecordArguments.exe"; }

// The arguments of every start so far, one list per start, in the order they were started.
inline std::vector<std::vector<std::string>> RecordedRuns(const std::wstring& folder) {
    std::map<std::wstring, std::vector<std::string>> byName;
    std::vector<std::vector<std::string>> runs;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\arguments-*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return runs;
    do {
        std::ifstream in((folder + L"\\" + found.cFileName).c_str(), std::ios::binary);
        std::string commandLine;
        std::getline(in, commandLine);
        std::vector<std::string> arguments;
        for (std::string line; std::getline(in, line);) arguments.push_back(line);
        byName[found.cFileName] = arguments;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (auto& [name, arguments] : byName) runs.push_back(std::move(arguments));
    return runs;
}

}  // namespace yomorina::testing
