#include "platform/win32/DialogLook.h"

#include <cmath>
#include <string>

namespace yomorina::win32 {
namespace {

constexpr wchar_t PreferredFace[] = L"ＭＳ Ｐゴシック";

// A face is there when a font made with it reports that face back; Wine's
// substitutes count, which a font enumeration does not list.
bool FaceExists(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    wcsncpy_s(wanted.lfFaceName, face, LF_FACESIZE - 1);
    UniqueFont font(CreateFontIndirectW(&wanted));
    if (!font) return false;
    WindowDc screen(nullptr);
    SelectedObject selected(screen.get(), font.get());
    wchar_t used[LF_FACESIZE] = {};
    GetTextFaceW(screen.get(), LF_FACESIZE, used);
    return lstrcmpiW(used, face) == 0;
}

std::wstring DialogFace() {
    static const std::wstring face = [] {
        if (FaceExists(PreferredFace)) return std::wstring(PreferredFace);
        for (const wchar_t* japanese : {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"}) {
            if (FaceExists(japanese)) return std::wstring(japanese);
        }
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return std::wstring(metrics.lfMessageFont.lfFaceName);
    }();
    return face;
}

}  // namespace

UniqueFont CreateDialogFont(double points, UINT dpi, FontEmphasis emphasis) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = emphasis == FontEmphasis::Bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = emphasis == FontEmphasis::Underline;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = DialogFace();
    wcsncpy_s(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&font));
}

HBRUSH DialogBackgroundBrush() {
    // One brush for the run, shared by every dialog.
    static UniqueBrush brush(CreateSolidBrush(DialogBackground));
    return brush.get();
}

LRESULT PaintOnDialogBackground(HDC dc) {
    SetBkColor(dc, DialogBackground);
    return reinterpret_cast<LRESULT>(DialogBackgroundBrush());
}

void DrawOrangeButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    {
        UniqueBrush orange(CreateSolidBrush(ButtonFace));
        FillRect(dc, &face, orange.get());
    }
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    wchar_t caption[128] = {};
    GetWindowTextW(item.hwndItem, caption, 128);
    RECT text = face;
    if (pressed) OffsetRect(&text, 1, 1);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    {
        SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
        DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = face;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void DialogLayout::Create(HWND parent, HINSTANCE instance, const std::vector<ControlPlacement>& placements, UINT dpi) {
    parent_ = parent;
    placements_ = placements;
    for (const ControlPlacement& placement : placements_) {
        if (!placement.className) {
            windows_.push_back(GetDlgItem(parent, placement.id));
            continue;
        }
        windows_.push_back(CreateWindowExW(placement.exStyle, placement.className, placement.text, WS_CHILD | WS_VISIBLE | placement.style,
                                           0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                                           instance, nullptr));
    }
    Apply(dpi);
}

void DialogLayout::Apply(UINT dpi) {
    std::map<double, UniqueFont> fonts;
    for (std::size_t i = 0; i < placements_.size(); ++i) {
        const ControlPlacement& placement = placements_[i];
        auto& font = fonts[placement.points];
        if (!font) font = CreateDialogFont(placement.points, dpi);
        SendMessageW(windows_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        SetWindowPos(windows_[i], nullptr, TwipsToPixels(placement.left, dpi), TwipsToPixels(placement.top, dpi),
                     TwipsToPixels(placement.width, dpi), TwipsToPixels(placement.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The controls hold the new fonts before the old ones go.
    fonts_ = std::move(fonts);
    if (parent_) InvalidateRect(parent_, nullptr, TRUE);
}

HWND DialogLayout::Control(int id) const {
    for (std::size_t i = 0; i < placements_.size(); ++i) {
        if (placements_[i].id == id) return windows_[i];
    }
    return nullptr;
}

bool HandleLookMessage(HWND window, DialogLayout& layout, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DRAWITEM:
        if (lParam) DrawOrangeButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = PaintOnDialogBackground(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_DPICHANGED: {
        layout.Apply(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

UINT WindowDpi(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

void PlaceDialog(HWND window, int clientWidthTwips, int clientHeightTwips, UINT dpi) {
    RECT frame{0, 0, TwipsToPixels(clientWidthTwips, dpi), TwipsToPixels(clientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace yomorina::win32
