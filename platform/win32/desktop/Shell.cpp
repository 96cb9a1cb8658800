#include "platform/win32/desktop/Shell.h"

#include <shellapi.h>

#include <mutex>
#include <utility>
#include <vector>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {

// Owned jointly by the shell and its running searches: a search that ends after
// the shell (a share answering a minute later) still finds it.
struct Shell::Searches {
    SearchOrderTest onSearchPath;
    std::mutex mutex;
    HWND window = nullptr;  // null once the shell is going
    std::vector<AfterSearch> finished;
};

namespace {

struct SearchItem {
    std::shared_ptr<Shell::Searches> searches;
    Search search;
};

void CALLBACK RunSearch(PTP_CALLBACK_INSTANCE, void* context) noexcept {
    const std::unique_ptr<SearchItem> item(static_cast<SearchItem*>(context));
    Shell::Searches& searches = *item->searches;
    AfterSearch after;
    try {
        after = item->search(searches.onSearchPath);
        const std::lock_guard lock(searches.mutex);
        if (!searches.window || !after) return;
        searches.finished.push_back(std::move(after));
        PostMessageW(searches.window, SearchedMessage, 0, 0);
    } catch (...) {
        // A launch that cannot be made is dropped, as a refused one is.
    }
}

int ShowCommand(ShowState show) {
    switch (show) {
        case ShowState::Minimized: return SW_SHOWMINIMIZED;
        case ShowState::Maximized: return SW_SHOWMAXIMIZED;
        case ShowState::Normal: break;
    }
    return SW_SHOWNORMAL;
}

// Null for an empty text: the shell then uses its defaults (no parameters, the current folder).
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The full path of a file found in the default search order, however long; empty when none is.
std::wstring FullPathOnSearchPath(std::string_view name) {
    if (name.empty()) return {};
    const std::wstring wideName = ToWide(name);
    return FilledText([&](wchar_t* buffer, DWORD size) {
        return SearchPathW(nullptr, wideName.c_str(), nullptr, size, buffer, nullptr);
    });
}

}  // namespace

bool FindsOnSearchPath(std::string_view name) { return !FullPathOnSearchPath(name).empty(); }

Shell::Shell(SearchOrderTest onSearchPath) : searches_(std::make_shared<Searches>()) {
    searches_->onSearchPath = std::move(onSearchPath);
}

Shell::~Shell() {
    const std::lock_guard lock(searches_->mutex);
    searches_->window = nullptr;
    searches_->finished.clear();
}

void Shell::SearchAway(Search search) {
    // Made at the first launch: a program at rest keeps no window it does not need.
    if (!Handle()) {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        Register(instance, SearchedWindowClass, nullptr);
        const HWND window = Create(instance, SearchedWindowClass, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
        const std::lock_guard lock(searches_->mutex);
        searches_->window = window;
    }
    auto item = std::make_unique<SearchItem>(SearchItem{searches_, std::move(search)});
    if (searches_->window && TrySubmitThreadpoolCallback(RunSearch, item.get(), nullptr)) {
        item.release();
        return;
    }
    // Better a frozen moment than a click that opens nothing.
    if (const AfterSearch after = item->search(searches_->onSearchPath)) after();
}

LRESULT Shell::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != SearchedMessage) return DefWindowProcW(Handle(), message, wParam, lParam);
    std::vector<AfterSearch> finished;
    {
        const std::lock_guard lock(searches_->mutex);
        finished.swap(searches_->finished);
    }
    // A launch may let other messages run (the shell's own windows): what
    // comes back meanwhile waits for a message of its own.
    for (const AfterSearch& after : finished) {
        try {
            after();
        } catch (...) {
            // The message loop must go on.
        }
    }
    return 0;
}

bool Shell::ShellExecuteOpen(const ShellOpenRequest& request) {
    const std::wstring file = ToWide(request.File);
    const std::wstring parameters = ToWide(request.Parameters);
    // The shell opens names of fewer than MAX_PATH characters; Wine's reads
    // past the end of a longer one and takes the whole program down.
    if (file.size() >= MAX_PATH) return false;

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = reinterpret_cast<HWND>(request.Owner);
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = OrNull(parameters);
    info.lpDirectory = nullptr;
    info.nShow = ShowCommand(request.Show);

    return ShellExecuteExW(&info) != FALSE;
}

bool Shell::StartProcess(std::string_view program, std::string_view commandLine) {
    // The system does not search for a program it is named; find it as FindOnSearchPath did.
    const std::wstring application = FullPathOnSearchPath(program);
    if (!program.empty() && application.empty()) return false;
    std::wstring mutableCommandLine = ToWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(OrNull(application), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return false;
    }
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    return true;
}

int RecycleBin::MoveToRecycleBin(std::string_view path) {
    // A list of one path: the path, its NUL and the list's closing NUL.
    std::wstring from = ToWide(path);
    from.append(2, L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner_ ? owner_() : nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.pTo = nullptr;
    operation.fFlags = FOF_ALLOWUNDO;
    return SHFileOperationW(&operation);
}

}  // namespace yomorina::win32
