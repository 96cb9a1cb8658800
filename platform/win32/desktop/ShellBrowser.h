#pragma once
// The browser object as shell requests: every instance asks the shell to open
// its address with the user's default program, the browser for a page or a
// file, the mail program for a mailto address.
//
// An instance has ended, and raises its quit event, when there is nothing
// left of its request to follow: when the process the shell started for it
// ends, or at once when the request started none (the address went to a
// program that was already running) or failed. The event comes through the
// thread's message queue, never from inside Navigate.

#include <windows.h>

#include <map>
#include <memory>
#include <string_view>

#include "platform/Browser.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

struct ShellRequest {
    bool done = false;            // the shell accepted the request
    DWORD error = ERROR_SUCCESS;  // why not, when it did not
    UniqueKernelHandle process;   // the process it started, when it started one
};

// "open" on a file path, a web address or a mailto address; shows no error box of its own.
ShellRequest OpenThroughShell(std::string_view address);

class ShellBrowserInstance;

// Lives longer than the instances it creates; they are released on the same thread.
class ShellBrowser final : public Browser, public BaseWindow<ShellBrowser> {
public:
    explicit ShellBrowser(HINSTANCE instance);
    ~ShellBrowser() override;

    std::unique_ptr<BrowserInstance> CreateInstance(BrowserQuitListener& listener) override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    friend class ShellBrowserInstance;
    void Forget(UINT_PTR id) noexcept { live_.erase(id); }

    std::map<UINT_PTR, ShellBrowserInstance*> live_;
    UINT_PTR nextId_ = 1;
};

}  // namespace yomorina::win32
