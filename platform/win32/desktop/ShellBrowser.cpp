#include "platform/win32/desktop/ShellBrowser.h"

#include <shellapi.h>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {


}  // namespace

ShellRequest OpenThroughShell(std::string_view address) {
    const std::wstring target = ToWide(address);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.lpVerb = L"open";
    request.lpFile = target.c_str();
    // The show state goes to whatever the shell starts: the browser's window
    // for a page, the mail program's for a mailto address.
    request.nShow = SW_SHOWNORMAL;
    ShellRequest outcome;
    outcome.done = ShellExecuteExW(&request) != FALSE;
    if (!outcome.done) outcome.error = GetLastError();
    outcome.process.reset(request.hProcess);
    return outcome;
}

class ShellBrowserInstance final : public BrowserInstance {
public:
    ShellBrowserInstance(ShellBrowser& browser, BrowserQuitListener& listener, UINT_PTR id)
        : browser_(&browser), window_(browser.Handle()), listener_(listener), id_(id) {}

    ~ShellBrowserInstance() override {
        StopWatching();
        if (browser_) browser_->Forget(id_);
    }
    ShellBrowserInstance(const ShellBrowserInstance&) = delete;
    ShellBrowserInstance& operator=(const ShellBrowserInstance&) = delete;

    void Navigate(std::string_view address) override {
        StopWatching();
        ShellRequest request = OpenThroughShell(address);
        process_ = std::move(request.process);
        if (!process_ ||
            !RegisterWaitForSingleObject(&wait_, process_.get(), &ProcessEnded, this, INFINITE, WT_EXECUTEONLYONCE)) {
            wait_ = nullptr;
            ReportEnded();
        }
    }

    // Whatever the shell starts shows its own window, and a mailto address
    // starts no browser at all: there is no hidden window of ours to reveal.
    void SetVisible(bool) override {}

    void Detach() noexcept { browser_ = nullptr; }
    void RaiseQuit() { listener_.OnQuit(*this); }

private:
    static void CALLBACK ProcessEnded(void* context, BOOLEAN) noexcept {
        static_cast<ShellBrowserInstance*>(context)->ReportEnded();
    }

    // Any thread: the event itself is raised on the window's thread.
    void ReportEnded() noexcept { PostMessageW(window_, InstanceEndedMessage, id_, 0); }

    // Waits for a callback in progress, so none runs after this object is gone.
    void StopWatching() noexcept {
        if (wait_) UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
        wait_ = nullptr;
        process_.reset();
    }

    ShellBrowser* browser_;
    const HWND window_;
    BrowserQuitListener& listener_;
    const UINT_PTR id_;
    UniqueKernelHandle process_;
    HANDLE wait_ = nullptr;
};

ShellBrowser::ShellBrowser(HINSTANCE instance) {
    Register(instance, ShellBrowserClass, nullptr);
    Create(instance, ShellBrowserClass, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
}

ShellBrowser::~ShellBrowser() {
    for (auto& [id, instance] : live_) instance->Detach();
}

std::unique_ptr<BrowserInstance> ShellBrowser::CreateInstance(BrowserQuitListener& listener) {
    const UINT_PTR id = nextId_++;
    auto instance = std::make_unique<ShellBrowserInstance>(*this, listener, id);
    live_[id] = instance.get();
    return instance;
}

LRESULT ShellBrowser::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == InstanceEndedMessage) {
        // A released instance has left the map: its late news is dropped.
        const auto found = live_.find(static_cast<UINT_PTR>(wParam));
        if (found != live_.end()) {
            ShellBrowserInstance* instance = found->second;
            live_.erase(found);
            instance->Detach();
            instance->RaiseQuit();
        }
        return 0;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

}  // namespace yomorina::win32
