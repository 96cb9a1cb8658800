#include "platform/win32/resident/MainWindow.h"

#include <wtsapi32.h>

#include "core/Texts.h"
#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/WideText.h"
#include "resources/resource.h"

namespace yomorina::win32 {

MainWindow::MainWindow(HINSTANCE instance, ForegroundTaking foreground, AltReading altReading)
    : taskbarCreatedMessage_(RegisteredMessage(TaskbarCreatedName)), optionsAsked_(RegisteredMessage(OptionsAskedName)) {
    Register(instance, MainWindowClass, GetSysColorBrush(COLOR_BTNFACE),
             LoadIconW(instance, MAKEINTRESOURCEW(IDI_YOMORINA)));
    Create(instance, MainWindowClass, ToWide(Text(TextId::ProgramName)).c_str(), WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0,
           nullptr);
    trayWindow_.emplace(instance, Handle());
    wakeups_.emplace(Handle());
    hotKeys_.emplace(Handle(), altReading);
    overlay_.emplace(instance, Handle(), *hotKeys_, foreground);
}

void MainWindow::SetEvents(MainWindowEvents* events) {
    events_ = &EventsOrNone(events);
    trayWindow_->SetEvents(events);
}

void MainWindow::Close() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

// Unlocks and reconnections: the pointer may have gone anywhere meanwhile.
// Early in a sign-in the service is not there yet (RPC_S_INVALID_BINDING).
bool MainWindow::HearSessionChanges() {
    hearingSessionChanges_ =
        hearingSessionChanges_ || late::WTSRegisterSessionNotification(Handle(), NOTIFY_FOR_THIS_SESSION) != FALSE;
    return hearingSessionChanges_;
}

void MainWindow::OnClosing() {
    if (unloaded_) return;
    unloaded_ = true;
    events_->OnClosing();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
        events_->OnTaskbarCreated();
        return 0;
    }
    if (message == optionsAsked_ && optionsAsked_ != 0) {
        events_->OnOptionsAsked();
        return 0;
    }
    if (const auto answer = testQueries_.Answer(Handle(), message, wParam, wakeups_->Ticks())) return *answer;
    switch (message) {
    case WM_TIMER:
        wakeups_->OnTimer(wParam, *events_);
        return 0;
    case MouseMovedMessage:
        events_->OnPointerMoved();
        return 0;
    case WM_INPUT:
        wakeups_->Hear(reinterpret_cast<HRAWINPUT>(lParam));
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_UNLOCK || wParam == WTS_CONSOLE_CONNECT || wParam == WTS_REMOTE_CONNECT) {
            events_->OnPointerMayHaveJumped();
        }
        return 0;
    case WM_DISPLAYCHANGE:
        events_->OnPointerMayHaveJumped();
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC) events_->OnPointerMayHaveJumped();
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_HOTKEY:
        hotKeys_->OnHotKey(wParam, [this](const HotKeyPress& press) {
            if (press.meaning == HotKeyPress::Meaning::CallKey) {
                events_->OnCallKey();
            } else {
                overlay_->OnHotKey(press);
            }
        });
        return 0;
    case WM_DESTROY:
        hotKeys_->ReleaseAll();
        if (hearingSessionChanges_) late::WTSUnRegisterSessionNotification(Handle());
        return 0;
    case WM_ENDSESSION:
        // Logging off ends us without WM_CLOSE; the icon must still go.
        if (wParam) OnClosing();
        return 0;
    case WM_CLOSE:
        OnClosing();
        DestroyWindow(Handle());
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

void MainWindow::OnDestroyed() noexcept {
    // A hook outlives its window otherwise.
    wakeups_->StopWatching();
    PostQuitMessage(0);
}

}  // namespace yomorina::win32
