#include "platform/win32/ColouredButton.h"

#include <string>

#include "platform/win32/Handles.h"

namespace yomorina::win32 {

void DrawColouredButton(const DRAWITEMSTRUCT& item, COLORREF face) noexcept {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;

    const UniqueBrush faceBrush(CreateSolidBrush(face));
    FillRect(dc, &area, faceBrush.get());
    DrawEdge(dc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const int length = GetWindowTextLengthW(item.hwndItem);
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(item.hwndItem, caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(length));

    RECT textArea = area;
    if (pressed) OffsetRect(&textArea, 1, 1);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const SelectedObject selectedFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), length, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = area;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace yomorina::win32
