#pragma once
// The dialogs' small controls behind the logic's interfaces: trackbars, radio
// and check buttons, edits, statics, the hot-key control and the file-open
// dialog. The grid and the icon preview have files of their own.

#include <windows.h>

#include <array>
#include <optional>

#include "platform/Controls.h"
#include "platform/Dimensions.h"
#include "platform/FileOpenDialog.h"

namespace yomorina::win32 {

class Slider final : public yomorina::Slider {
public:
    explicit Slider(HWND trackbar = nullptr) : trackbar_(trackbar) {}
    HWND Handle() const { return trackbar_; }
    void Configure(const SliderSetup& setup) override;
    int Position() const override;
    void SetPosition(int position) override;

private:
    HWND trackbar_;
};

class OptionGroup final : public yomorina::OptionGroup {
public:
    OptionGroup() = default;
    explicit OptionGroup(const std::array<HWND, BackgroundPatternCount>& buttons) : buttons_(buttons) {}
    int Selected() const override;
    void Select(int index) override;

private:
    std::array<HWND, BackgroundPatternCount> buttons_{};
};

class Label final : public yomorina::Label {
public:
    explicit Label(HWND label = nullptr) : label_(label) {}
    void SetCaption(std::string_view caption) override;

private:
    HWND label_;
};

class TextBox final : public yomorina::TextBox {
public:
    explicit TextBox(HWND edit = nullptr) : edit_(edit) {}
    std::string Text() const override;
    void SetText(std::string_view text) override;

private:
    HWND edit_;
};

class CheckBox final : public yomorina::CheckBox {
public:
    explicit CheckBox(HWND button = nullptr) : button_(button) {}
    bool Checked() const override;
    void SetChecked(bool checked) override;

private:
    HWND button_;
};

class KeyBox final : public yomorina::KeyBox {
public:
    // The box reports what is pressed, as it is: the options complete it, asking
    // the user's layouts (the control's own rule, Ctrl+Alt for a plain key, would
    // take a character from a user whose AltGr types one with it).
    explicit KeyBox(HWND box = nullptr) : box_(box) {}
    std::uint16_t Key() const override;
    void SetKey(std::uint16_t key) override;
    HWND Handle() const { return box_; }
    // Backspace or Delete pressed in the box: it empties, whatever the control would make of them.
    bool ClearOnEraseKey(const MSG& message);

private:
    HWND box_;
};

// GetOpenFileNameW, read-only box hidden; the current folder stays where it was.
class FileOpenDialog final : public yomorina::FileOpenDialog {
public:
    explicit FileOpenDialog(HWND owner) : owner_(owner) {}
    std::optional<std::string> ChooseFile(std::string_view filter) override;

private:
    HWND owner_;
};

// "a|b|" as the NUL-separated, double-NUL-ended form the dialog takes.
std::wstring FileDialogFilter(std::string_view filter);

}  // namespace yomorina::win32
