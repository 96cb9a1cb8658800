#pragma once
// The messages a test may send the main window, with their answers. A program
// started without YOMORINA_TEST_QUERIES=1 never registers them.

#include <windows.h>

#include <optional>

#include "platform/win32/base/TestSeams.h"

namespace yomorina::win32 {

class TestQueries {
public:
    TestQueries();
    // The answer when message is one of them; wParam of the handle-count
    // query is the asker's window.
    std::optional<LRESULT> Answer(HWND self, UINT message, WPARAM wParam, TickCount ticks) const noexcept;

private:
    UINT handleCountQuery_ = 0;
    UINT dropMouseHook_ = 0;
};

}  // namespace yomorina::win32
