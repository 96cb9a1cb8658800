#pragma once
// The options dialog's list of entries: a report list view behind the logic's
// grid, with the ground and cell lines drawn over it, as the list view leaves them out.

#include <windows.h>

#include <commctrl.h>

#include <array>

#include "platform/Controls.h"
#include "platform/Dimensions.h"
#include "platform/win32/base/Handles.h"

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

    std::string Text(int row, int column) const;
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

}  // namespace yomorina::win32
