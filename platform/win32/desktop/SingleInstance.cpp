#include "platform/win32/desktop/SingleInstance.h"

#include "platform/win32/base/AppMessages.h"

namespace yomorina::win32 {

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, SingleInstanceMutexName)) {
    // Without a mutex we cannot tell; running is better than refusing to start.
    isFirst_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

void SingleInstance::AskTheFirstForItsOptions() const {
    const HWND first = FindWindowW(MainWindowClass, nullptr);
    if (!first) return;
    // This start is the one in the foreground; only it can let the first copy
    // bring its dialog to the front.
    DWORD firstProcess = 0;
    GetWindowThreadProcessId(first, &firstProcess);
    if (firstProcess) AllowSetForegroundWindow(firstProcess);
    PostMessageW(first, RegisteredMessage(OptionsAskedName), 0, 0);
}

}  // namespace yomorina::win32
