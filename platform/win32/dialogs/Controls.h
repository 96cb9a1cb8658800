#pragma once
// The dialogs' controls behind the logic's interfaces: a report list view for
// the grid, trackbars, radio and check buttons, edits, statics, and the icon
// preview with a picture that survives repaints.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <optional>

#include "platform/Controls.h"
#include "platform/Dimensions.h"
#include "platform/FileOpenDialog.h"
#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/files/EntryLookup.h"

namespace yomorina::win32 {

// Row 0 is the list view's header; rows 1..30 are its 30 items.
class Grid final : public yomorina::Grid {
public:
    Grid() = default;
    // Sets the list view up with its two columns and thirty empty items.
    void Attach(HWND listView, UINT dpi);
    void ApplyDpi(UINT dpi);
    HWND Handle() const { return listView_; }
    // The list view's own selection changes; a cleared selection is put back,
    // so that there is always a current row.
    void OnItemChanged(const NMLISTVIEW& change);
    void RestoreSelection();
    // The list view's custom draw, passed on by its parent: what to answer.
    LRESULT OnCustomDraw(const NMCUSTOMDRAW& draw) const;

    std::string Text(int row, int column) const override;
    void SetText(int row, int column, std::string_view text) override;
    int Row() const override { return row_; }
    void SetRow(int row) override;
    void SetColumnWidth(int column, int twips) override;
    void SetRowHeight(int row, int twips) override;

private:
    void PaintGroundAndLines(HDC dc) const;

    HWND listView_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    int row_ = GridFirstEntryRow;
    std::array<int, GridColumnCount> columnTwips_{};
    int rowTwips_ = 0;
    UINT heightsDpi_ = 0;
    UniqueImageList heights_;  // the list view is made with LVS_SHAREIMAGELISTS
};

inline constexpr COLORREF GridGroundColour = RGB(128, 128, 128);
inline constexpr COLORREF GridLineColour = RGB(192, 192, 192);

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
    // Keys without Ctrl or Alt (a letter, Shift with a letter) get Ctrl+Alt added, so
    // that no plain key is taken from every program; Backspace and Delete clear the box.
    explicit KeyBox(HWND box = nullptr);
    std::uint16_t Key() const override;
    void SetKey(std::uint16_t key) override;
    HWND Handle() const { return box_; }
    // Backspace or Delete pressed in the box: it empties, whatever the control would make of them.
    bool ClearOnEraseKey(const MSG& message);

private:
    HWND box_;
};


class PreviewBox final : public yomorina::PreviewBox, public BaseWindow<PreviewBox> {
public:
    // The icons are those lookup has extracted: drawing never waits for the file system.
    PreviewBox(HINSTANCE instance, HWND parent, int id, const EntryLookup& lookup);
    ~PreviewBox() override;

    void Clear() override;
    void ShowRecycleBin() override;
    void DrawTargetIcon(std::string_view path) override;

    // The picture's pixel at (x, y), for tests.
    COLORREF PixelAt(int x, int y) const;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    void Fill(COLORREF colour);
    void Resize();

    HINSTANCE instance_;
    const EntryLookup& lookup_;
    UniqueMemoryDc picture_;
    UniqueBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    SIZE size_{};
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
