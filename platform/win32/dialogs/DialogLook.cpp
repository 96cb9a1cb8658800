#include "platform/win32/dialogs/DialogLook.h"

#include <cmath>
#include <map>
#include <string>

#include "core/Texts.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

// Where a button's focus rectangle is drawn inside its face, in pixels; its caption stays clear of it.
constexpr int FocusInset = 4;

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

struct Face {
    std::wstring name;
    BYTE charset;
};

// The system's own UI font, which speaks the user's language.
Face SystemFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return {metrics.lfMessageFont.lfFaceName, metrics.lfMessageFont.lfCharSet};
}

// Japanese keeps the face the program was first drawn in, or the system's
// nearest Japanese face. A language that names no face takes the system's
// font: there ＭＳ Ｐゴシック would at best be a substitute, drawing Latin
// letters wide and spaced.
Face DialogFace() {
    const std::wstring named = ToWide(CurrentLanguage().DialogFace);
    if (named.empty()) return SystemFace();
    static std::map<std::wstring, Face> found;
    const auto known = found.find(named);
    if (known != found.end()) return known->second;
    Face face{SystemFace().name, SHIFTJIS_CHARSET};
    for (const std::wstring& candidate : {named, std::wstring(L"Yu Gothic UI"), std::wstring(L"Meiryo UI"),
                                          std::wstring(L"MS UI Gothic")}) {
        if (FaceExists(candidate.c_str())) {
            face.name = candidate;
            break;
        }
    }
    return found.emplace(named, face).first->second;
}

}  // namespace

UniqueFont CreateDialogFont(double points, UINT dpi, FontEmphasis emphasis) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = emphasis == FontEmphasis::Bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = emphasis == FontEmphasis::Underline;
    const Face face = DialogFace();
    font.lfCharSet = face.charset;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy_s(font.lfFaceName, face.name.c_str(), LF_FACESIZE - 1);
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
        InflateRect(&focus, -FocusInset, -FocusInset);
        DrawFocusRect(dc, &focus);
    }
}

int TextWidth(HWND control, HFONT font) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    const WindowDc dc(control);
    const SelectedObject selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), length, &size);
    return size.cx + 1;
}

int CaptionWidth(HWND control, HFONT font, UINT dpi) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    if (GetWindowTextLengthW(control) == 0) return 0;
    if (lstrcmpiW(className, L"STATIC") == 0) {
        const DWORD kind = style & SS_TYPEMASK;
        const bool text = kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_LEFTNOWORDWRAP;
        return text ? TextWidth(control, font) : 0;
    }
    if (lstrcmpiW(className, L"BUTTON") != 0) return 0;
    const DWORD kind = style & BS_TYPEMASK;
    if (kind == BS_OWNERDRAW) return TextWidth(control, font) + 2 * (FocusInset + 1);
    // A check box's or option button's mark, and the space before its caption.
    const int mark = GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
    return TextWidth(control, font) + mark;
}

UINT WindowDpi(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace yomorina::win32
