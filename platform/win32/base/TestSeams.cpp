#include "platform/win32/base/TestSeams.h"

#include <cwchar>


namespace yomorina::win32 {

HandleCounts CurrentHandleCounts() {
    HandleCounts counts;
    for (int kind = 0; kind < static_cast<int>(HandleKind::Count); ++kind) {
        counts.live[kind] = LiveHandleCount(static_cast<HandleKind>(kind)).load();
    }
    const HANDLE self = GetCurrentProcess();
    SetLastError(ERROR_SUCCESS);
    counts.gdiObjects = GetGuiResources(self, GR_GDIOBJECTS);
    counts.gdiError = counts.gdiObjects ? 0 : GetLastError();
    SetLastError(ERROR_SUCCESS);
    counts.userObjects = GetGuiResources(self, GR_USEROBJECTS);
    counts.userError = counts.userObjects ? 0 : GetLastError();
    DWORD handles = 0;
    if (GetProcessHandleCount(self, &handles)) {
        counts.processHandles = handles;
    } else {
        counts.processHandlesError = GetLastError();
    }
    return counts;
}

std::atomic<long>& RunningLookupThreads() {
    static std::atomic<long> running{0};
    return running;
}

bool TestQueriesOn() {
    wchar_t value[8] = {};
    const DWORD length = GetEnvironmentVariableW(TestQueriesVariable, value, 8);
    return length == 1 && value[0] == L'1';
}

std::vector<std::uint16_t> ImitatedCharacterKeys() {
    std::vector<std::uint16_t> keys;
    if (!TestQueriesOn()) return keys;
    wchar_t listed[1024] = {};
    const DWORD length = GetEnvironmentVariableW(ImitatedCharacterKeysVariable, listed, 1024);
    if (length == 0 || length >= 1024) return keys;
    for (const wchar_t* at = listed; *at;) {
        wchar_t* end = nullptr;
        const unsigned long key = std::wcstoul(at, &end, 10);
        if (end == at) break;
        keys.push_back(static_cast<std::uint16_t>(key));
        at = end;
    }
    return keys;
}

}  // namespace yomorina::win32
