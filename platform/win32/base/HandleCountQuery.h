#pragma once
// A test-only question to a running program: how many handles of each kind
// does it hold, and how many ticks has its timer taken? Answered only when the
// program was started with YOMORINA_TEST_QUERIES=1 in its environment;
// otherwise the message is never registered and falls through to the default
// handling, answering nothing.

#include <windows.h>

#include <cstdint>

#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

inline constexpr wchar_t HandleCountQueryName[] = L"YomorinaTestHandleCounts";
inline constexpr wchar_t TestQueriesVariable[] = L"YOMORINA_TEST_QUERIES";
// Tags the WM_COPYDATA that carries the answer.
inline constexpr ULONG_PTR HandleCountsDataTag = 0x59484331;

// The main window's timer: a program at rest has it stopped and takes none.
struct TickCount {
    std::int64_t taken = 0;
    bool running = false;
};

struct HandleCounts {
    std::int64_t live[static_cast<int>(HandleKind::Count)] = {};
    // What the system itself says, with the error when it says nothing (Wine).
    std::int64_t gdiObjects = 0;
    std::uint32_t gdiError = 0;
    std::int64_t userObjects = 0;
    std::uint32_t userError = 0;
    std::int64_t processHandles = -1;
    std::uint32_t processHandlesError = 0;
    TickCount ticks;

    std::int64_t Live(HandleKind kind) const { return live[static_cast<int>(kind)]; }
};

HandleCounts CurrentHandleCounts();

// Whether the program was started with YOMORINA_TEST_QUERIES=1.
bool TestQueriesOn();

// The registered message when test queries are on, 0 when they are off.
UINT HandleCountQueryMessage();

// wParam of the query is the asker's window; the counts and ticks go back to it
// as WM_COPYDATA before the query returns. Returns TRUE once sent.
LRESULT AnswerHandleCountQuery(HWND self, HWND asker, TickCount ticks) noexcept;

}  // namespace yomorina::win32
