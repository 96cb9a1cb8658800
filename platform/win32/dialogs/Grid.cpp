#include "platform/win32/dialogs/Grid.h"

#include <algorithm>
#include <vector>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/dialogs/DialogLook.h"

namespace yomorina::win32 {

void Grid::Attach(HWND listView, UINT dpi) {
    listView_ = listView;
    dpi_ = dpi;
    // No LVS_EX_GRIDLINES: the lines are ours (PaintGroundAndLines), the same
    // on every system, and the list view's own would stand beside them.
    ListView_SetExtendedListViewStyle(listView_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    // Cells in the window colours. The list view's ground stays the window
    // colour too: the item heights come from an image list whose empty image
    // column would otherwise show as a dark strip in every row. The ground
    // beside the cells is painted over afterwards.
    ListView_SetBkColor(listView_, GetSysColor(COLOR_WINDOW));
    ListView_SetTextBkColor(listView_, GetSysColor(COLOR_WINDOW));
    ListView_SetTextColor(listView_, GetSysColor(COLOR_WINDOWTEXT));
    for (int column = 0; column < GridColumnCount; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        header.cx = 0;
        header.pszText = const_cast<wchar_t*>(L"");
        header.iSubItem = column;
        ListView_InsertColumn(listView_, column, &header);
    }
    for (int item = 0; item < GridLastEntryRow; ++item) {
        LVITEMW entry{};
        entry.mask = LVIF_TEXT;
        entry.iItem = item;
        entry.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertItem(listView_, &entry);
    }
    SetRow(GridFirstEntryRow);
}

void Grid::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    for (int column = 0; column < GridColumnCount; ++column) {
        if (columnTwips_[column]) SetColumnWidth(column, columnTwips_[column]);
    }
    if (rowTwips_) SetRowHeight(GridFirstEntryRow, rowTwips_);
}

std::string Grid::Text(int row, int column) const {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        int length = 0;
        if (row == 0) {
            LVCOLUMNW header{};
            header.mask = LVCF_TEXT;
            header.pszText = buffer.data();
            header.cchTextMax = static_cast<int>(buffer.size());
            if (!ListView_GetColumn(listView_, column, &header)) return {};
            if (header.pszText != buffer.data()) return ToUtf8(header.pszText ? header.pszText : L"");
            length = static_cast<int>(wcsnlen(buffer.data(), buffer.size()));
        } else {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = buffer.data();
            item.cchTextMax = static_cast<int>(buffer.size());
            length = static_cast<int>(
                SendMessageW(listView_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item)));
        }
        if (length < static_cast<int>(buffer.size()) - 1) return ToUtf8(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 4);
    }
}

void Grid::SetText(int row, int column, std::string_view text) {
    std::wstring wide = ToWide(text);
    if (row == 0) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT;
        header.pszText = wide.data();
        ListView_SetColumn(listView_, column, &header);
        return;
    }
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(listView_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item));
}

void Grid::SetRow(int row) {
    if (row < GridFirstEntryRow || row > GridLastEntryRow) return;
    row_ = row;
    ListView_SetItemState(listView_, row - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(listView_, row - 1, FALSE);
}

void Grid::OnItemChanged(const NMLISTVIEW& change) {
    if (change.iItem < 0 || !(change.uChanged & LVIF_STATE)) return;
    const bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0;
    const bool wasSelected = (change.uOldState & LVIS_SELECTED) != 0;
    if (nowSelected && !wasSelected) row_ = change.iItem + 1;
    if (!nowSelected && wasSelected && ListView_GetSelectedCount(listView_) == 0) {
        // Put it back once the list view has finished its own click.
        PostMessageW(GetParent(listView_), GridRestoreSelectionMessage, 0, 0);
    }
}

void Grid::RestoreSelection() {
    if (ListView_GetSelectedCount(listView_) == 0) SetRow(row_);
}

LRESULT Grid::OnCustomDraw(const NMCUSTOMDRAW& draw) const {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
    if (draw.dwDrawStage == CDDS_POSTPAINT) PaintGroundAndLines(draw.hdc);
    return CDRF_DODEFAULT;
}

// Over what the list view drew: the ground beside the cells dark grey, and a
// light grey line along the right and bottom edge of every cell, placed from
// the list view's own rows and columns so that they follow the DPI.
void Grid::PaintGroundAndLines(HDC dc) const {
    RECT client{};
    GetClientRect(listView_, &client);
    RECT header{};
    if (const HWND headerControl = ListView_GetHeader(listView_); headerControl && IsWindowVisible(headerControl)) {
        GetWindowRect(headerControl, &header);
        MapWindowPoints(nullptr, listView_, reinterpret_cast<POINT*>(&header), 2);
    }
    const int top = std::max(client.top, header.bottom);
    const int count = ListView_GetItemCount(listView_);
    RECT first{};
    RECT last{};
    if (count == 0 || !ListView_GetItemRect(listView_, 0, &first, LVIR_BOUNDS) ||
        !ListView_GetItemRect(listView_, count - 1, &last, LVIR_BOUNDS)) {
        return;
    }
    int right = first.left;
    for (int column = 0; column < GridColumnCount; ++column) right += ListView_GetColumnWidth(listView_, column);
    const int bottom = std::min<int>(last.bottom, client.bottom);

    const auto fill = [dc](int left, int fillTop, int fillRight, int fillBottom, COLORREF colour) {
        if (left >= fillRight || fillTop >= fillBottom) return;
        const RECT area{left, fillTop, fillRight, fillBottom};
        SetDCBrushColor(dc, colour);
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    };
    const COLORREF oldBrushColour = GetDCBrushColor(dc);
    fill(std::max<int>(right, client.left), top, client.right, client.bottom, GridGroundColour);
    fill(client.left, std::max(bottom, top), std::min<int>(right, client.right), client.bottom, GridGroundColour);

    const int firstShown = ListView_GetTopIndex(listView_);
    const int lastShown = std::min(count - 1, firstShown + ListView_GetCountPerPage(listView_));
    for (int item = firstShown; item <= lastShown; ++item) {
        RECT row{};
        if (!ListView_GetItemRect(listView_, item, &row, LVIR_BOUNDS)) continue;
        if (row.bottom > top) fill(first.left, row.bottom - 1, right, row.bottom, GridLineColour);
    }
    int x = first.left;
    for (int column = 0; column < GridColumnCount; ++column) {
        x += ListView_GetColumnWidth(listView_, column);
        fill(x - 1, top, x, bottom, GridLineColour);
    }
    SetDCBrushColor(dc, oldBrushColour);
}

void Grid::SetColumnWidth(int column, int twips) {
    columnTwips_.at(column) = twips;
    ListView_SetColumnWidth(listView_, column, TwipsToPixels(twips, dpi_));
}

void Grid::SetRowHeight(int row, int twips) {
    // A list view has one height for all its items; the header keeps its own.
    if (row < GridFirstEntryRow) return;
    if (twips == rowTwips_ && heightsDpi_ == dpi_) return;
    rowTwips_ = twips;
    heightsDpi_ = dpi_;
    // The item height follows the small image list's height.
    // The list view shares its image lists: the grid owns this one, and the old one goes once replaced.
    UniqueImageList heights(late::ImageList_Create(1, TwipsToPixels(twips, dpi_), ILC_COLOR, 1, 0));
    ListView_SetImageList(listView_, heights.get(), LVSIL_SMALL);
    heights_ = std::move(heights);
}

}  // namespace yomorina::win32
