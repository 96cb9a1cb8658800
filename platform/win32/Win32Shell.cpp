#include "platform/win32/Win32Shell.h"

#include <shellapi.h>

#include <utility>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace yomorina::win32 {
namespace {

class Win32LaunchedProcess final : public LaunchedProcess {
public:
    explicit Win32LaunchedProcess(UniqueKernelHandle process) : process_(std::move(process)) {}
    ProcessStatus Status() override {
        DWORD code = 0;
        if (!GetExitCodeProcess(process_.get(), &code)) return ProcessStatus::Unknown;
        // A process that ended with the code STILL_ACTIVE reads as running: the system gives no other sign.
        return code == STILL_ACTIVE ? ProcessStatus::Running : ProcessStatus::Ended;
    }

private:
    UniqueKernelHandle process_;
};

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

bool Win32Shell::FindOnSearchPath(std::string_view name) const { return !FullPathOnSearchPath(name).empty(); }

ShellOpenOutcome Win32Shell::ShellExecuteOpen(const ShellOpenRequest& request) {
    const std::wstring file = ToWide(request.File);
    const std::wstring parameters = ToWide(request.Parameters);
    ShellOpenOutcome outcome;
    // The shell opens names of fewer than MAX_PATH characters; Wine's reads
    // past the end of a longer one and takes the whole program down.
    if (file.size() >= MAX_PATH) return outcome;

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI | (request.KeepProcess ? SEE_MASK_NOCLOSEPROCESS : 0);
    info.hwnd = reinterpret_cast<HWND>(request.Owner);
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = OrNull(parameters);
    info.lpDirectory = nullptr;
    info.nShow = ShowCommand(request.Show);

    outcome.Accepted = ShellExecuteExW(&info) != FALSE;
    UniqueKernelHandle process(info.hProcess);
    if (outcome.Accepted && process) outcome.Process = std::make_unique<Win32LaunchedProcess>(std::move(process));
    return outcome;
}

std::uint32_t Win32Shell::StartProcess(std::string_view program, std::string_view commandLine) {
    // The system does not search for a program it is named; find it as FindOnSearchPath did.
    const std::wstring application = FullPathOnSearchPath(program);
    if (!program.empty() && application.empty()) return 0;
    std::wstring mutableCommandLine = ToWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(OrNull(application), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return 0;
    }
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    return started.dwProcessId;
}

std::unique_ptr<LaunchedProcess> Win32ProcessWait::OpenProcess(std::uint32_t processId) {
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION, TRUE, processId));
    if (!process) return nullptr;
    return std::make_unique<Win32LaunchedProcess>(std::move(process));
}

void Win32ProcessWait::RunPendingEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The main loop must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32ProcessWait::Pause(std::chrono::milliseconds duration) { Sleep(static_cast<DWORD>(duration.count())); }

int Win32RecycleBin::MoveToRecycleBin(std::string_view path) {
    // A list of one path: the path, its NUL and the list's closing NUL.
    std::wstring from = ToWide(path);
    from.append(2, L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner_;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.pTo = nullptr;
    operation.fFlags = FOF_ALLOWUNDO;
    return SHFileOperationW(&operation);
}

}  // namespace yomorina::win32
