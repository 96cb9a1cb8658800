#pragma once
// Everything a test can do to the running program, in one place. A program
// started without YOMORINA_TEST_QUERIES=1 never registers the test messages,
// so nothing another program sends can reach these.
//
// - Ask how many handles of each kind it holds and how many ticks its timer
//   has taken (answered as WM_COPYDATA to the asker's window), and drop the
//   mouse hook as Windows does behind a program's back (TestQueries, beside
//   the window that answers them).
// - Refuse the overlay the foreground as Windows does (platform tests only).
// - Tell how many threads the entries' lookups are running (platform tests).
// - Have keys type characters as other keyboard layouts would: Wine knows one.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

inline constexpr wchar_t TestQueriesVariable[] = L"YOMORINA_TEST_QUERIES";
// Tags the WM_COPYDATA that carries the handle counts.
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

// The entries' lookup threads that have not yet let go of their lookup's state:
// a test waits for none before it counts handles.
std::atomic<long>& RunningLookupThreads();

// Whether the program was started with YOMORINA_TEST_QUERIES=1.
bool TestQueriesOn();

// Windows refuses the foreground to a program in the background while the
// user works in another, but for the moment a hot key of its own is handled,
// which the user's next input ends (the key's own release, during the screen's
// freeze); Wine grants it always, so tests refuse it themselves, but in a hot
// key's message and to a window already in front.
enum class ForegroundTaking { Ask, RefusedAsWindowsMay };

// Whether Alt is down on the user's keyboard. Wine sets keys sent with
// SendInput back to the X server's state as its windows change, so tests that
// send them say it themselves; none for the system's answer.
using AltReading = bool (*)() noexcept;

// The keys YOMORINA_TEST_CHARACTER_KEYS lists (as the key box codes them, in
// decimal, apart), which the program takes to type characters as some layout
// of the user's would; none without the test queries.
inline constexpr wchar_t ImitatedCharacterKeysVariable[] = L"YOMORINA_TEST_CHARACTER_KEYS";
std::vector<std::uint16_t> ImitatedCharacterKeys();

}  // namespace yomorina::win32
