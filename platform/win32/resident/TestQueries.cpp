#include "platform/win32/resident/TestQueries.h"

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/resident/MouseWatch.h"

namespace yomorina::win32 {
namespace {

// wParam of the query is the asker's window; the counts and ticks go back to it
// before the query returns. TRUE once sent.
LRESULT AnswerHandleCountQuery(HWND self, HWND asker, TickCount ticks) noexcept {
    if (!IsWindow(asker)) return FALSE;
    HandleCounts counts = CurrentHandleCounts();
    counts.ticks = ticks;
    COPYDATASTRUCT data{HandleCountsDataTag, sizeof(counts), &counts};
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

}  // namespace

TestQueries::TestQueries() {
    if (!TestQueriesOn()) return;
    handleCountQuery_ = RegisteredMessage(HandleCountQueryName);
    dropMouseHook_ = RegisteredMessage(DropTheMouseHookName);
}

std::optional<LRESULT> TestQueries::Answer(HWND self, UINT message, WPARAM wParam, TickCount ticks) const noexcept {
    if (message == 0) return std::nullopt;
    if (message == handleCountQuery_) return AnswerHandleCountQuery(self, reinterpret_cast<HWND>(wParam), ticks);
    if (message == dropMouseHook_) {
        DropTheMouseHookAsTheSystemMay();
        return 0;
    }
    return std::nullopt;
}

}  // namespace yomorina::win32
