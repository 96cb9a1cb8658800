#pragma once
// The about box "バージョン情報" on screen: modal over its owner, its controls
// laid out from twips, every event handed to AboutBox.

#include <windows.h>

#include <string>

#include "platform/AboutWindow.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/dialogs/Dialog.h"

namespace yomorina::win32 {


// Kept clear of IDOK and IDCANCEL: Enter and Esc are no button's.
namespace about_ids {
inline constexpr int ProgramIcon = 100, TitleLabel = 101, MakerFrame = 102, MakerLabel = 103, HomePageLabel = 104, MakerNameLabel = 105,
                     HomePageLink = 106, MailLabel = 107, MailLink = 108, CloseButton = 109, HelpButton = 110;
}  // namespace about_ids

class AboutWindow final : public Dialog, public yomorina::AboutWindow {
public:
    // Created hidden; RunModal shows it.
    AboutWindow(HINSTANCE instance, HWND owner);
    ~AboutWindow() override;

    void SetEvents(AboutWindowEvents* events) { events_ = events; }
    // Shows the box with its owner disabled and returns when it has closed.
    void RunModal();
    void Close() override;

private:
    LRESULT OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void OnLaidOut(UINT dpi) override;
    COLORREF TextColour(HWND control) const override;
    void OnCommand(int id, int code) noexcept;
    bool IsLink(HWND control) const;

    AboutWindowEvents* events_ = nullptr;
    std::string title_;  // the placements point into it
    UniqueIcon icon_;
};

// Returns when the box has been closed; the owner is usable again by then.
// Browser windows opened from the box stay open.
void ShowAboutBox(HINSTANCE instance, HWND owner);

}  // namespace yomorina::win32
