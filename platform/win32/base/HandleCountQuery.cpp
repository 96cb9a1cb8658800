#include "platform/win32/base/HandleCountQuery.h"

#include <cstring>

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

bool TestQueriesOn() {
    wchar_t value[8] = {};
    const DWORD length = GetEnvironmentVariableW(TestQueriesVariable, value, 8);
    return length == 1 && value[0] == L'1';
}

UINT HandleCountQueryMessage() { return TestQueriesOn() ? RegisterWindowMessageW(HandleCountQueryName) : 0; }

LRESULT AnswerHandleCountQuery(HWND self, HWND asker, TickCount ticks) noexcept {
    if (!IsWindow(asker)) return FALSE;
    HandleCounts counts = CurrentHandleCounts();
    counts.ticks = ticks;
    COPYDATASTRUCT data{HandleCountsDataTag, sizeof(counts), &counts};
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

}  // namespace yomorina::win32
