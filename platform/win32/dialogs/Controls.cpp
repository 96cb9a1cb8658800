#include "platform/win32/dialogs/Controls.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace

// ---- slider

void Slider::Configure(const SliderSetup& setup) {
    SendMessageW(trackbar_, TBM_SETRANGEMIN, FALSE, setup.Min);
    SendMessageW(trackbar_, TBM_SETRANGEMAX, TRUE, setup.Max);
    SendMessageW(trackbar_, TBM_SETPAGESIZE, 0, setup.LargeChange);
    SendMessageW(trackbar_, TBM_SETLINESIZE, 0, setup.SmallChange);
    SendMessageW(trackbar_, TBM_SETTICFREQ, static_cast<WPARAM>(setup.TickFrequency), 0);
}

int Slider::Position() const { return static_cast<int>(SendMessageW(trackbar_, TBM_GETPOS, 0, 0)); }

void Slider::SetPosition(int position) { SendMessageW(trackbar_, TBM_SETPOS, TRUE, position); }

// ---- option buttons, labels, text and check boxes

int OptionGroup::Selected() const {
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
        if (SendMessageW(buttons_[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
    }
    return -1;
}

void OptionGroup::Select(int index) {
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
        SendMessageW(buttons_[i], BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void Label::SetCaption(std::string_view caption) { SetWindowTextW(label_, ToWide(caption).c_str()); }

std::string TextBox::Text() const { return ToUtf8(WindowText(edit_)); }

void TextBox::SetText(std::string_view text) { SetWindowTextW(edit_, ToWide(text).c_str()); }

bool CheckBox::Checked() const { return SendMessageW(button_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    SendMessageW(button_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- key box

std::uint16_t KeyBox::Key() const { return static_cast<std::uint16_t>(SendMessageW(box_, HKM_GETHOTKEY, 0, 0)); }

void KeyBox::SetKey(std::uint16_t key) { SendMessageW(box_, HKM_SETHOTKEY, key, 0); }

bool KeyBox::ClearOnEraseKey(const MSG& message) {
    if (!box_ || message.hwnd != box_ || message.message != WM_KEYDOWN) return false;
    if (message.wParam != VK_BACK && message.wParam != VK_DELETE) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    SetKey(0);
    return true;
}

// ---- file-open dialog

std::wstring FileDialogFilter(std::string_view filter) {
    std::wstring wide = ToWide(filter);
    for (auto& c : wide) {
        if (c == L'|') c = L'\0';
    }
    wide.push_back(L'\0');
    return wide;
}

std::optional<std::string> FileOpenDialog::ChooseFile(std::string_view filter) {
    const std::wstring filters = FileDialogFilter(filter);
    std::vector<wchar_t> chosen(32768, L'\0');
    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = owner_;
    open.lpstrFilter = filters.c_str();
    open.nFilterIndex = 1;
    open.lpstrFile = chosen.data();
    open.nMaxFile = static_cast<DWORD>(chosen.size());
    // The dialog moves the current folder as the user browses; the launcher's
    // search order and every later launch must not depend on the last folder seen.
    open.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!late::GetOpenFileNameW(&open)) return std::nullopt;
    return ToUtf8(chosen.data());
}

}  // namespace yomorina::win32
