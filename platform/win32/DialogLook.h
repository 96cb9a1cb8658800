#pragma once
// What every dialog of the program shares: the light yellow ground, the light
// orange owner-drawn buttons, ＭＳ Ｐゴシック, and layouts in twips scaled to
// the window's DPI.

#include <windows.h>

#include <map>
#include <vector>

#include "platform/win32/Handles.h"

namespace yomorina::win32 {

inline constexpr COLORREF DialogBackground = RGB(255, 255, 192);
inline constexpr COLORREF ButtonFace = RGB(255, 192, 128);

inline constexpr double LabelPoints = 11.25;  // labels, option buttons, check boxes' captions
inline constexpr double DialogPoints = 9;      // everything without a font of its own
inline constexpr DWORD OrangeButtonStyle = BS_OWNERDRAW | WS_TABSTOP;

inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// ＭＳ Ｐゴシック in the Shift-JIS set, or the system's Japanese UI font where that face is missing.
enum class FontEmphasis { None, Bold, Underline };
UniqueFont CreateDialogFont(double points, UINT dpi, FontEmphasis emphasis = FontEmphasis::None);

// The light orange face of every button, pressed or not, with its caption and focus.
void DrawOrangeButton(const DRAWITEMSTRUCT& item);

// The yellow ground for labels, option buttons, check boxes and sliders.
HBRUSH DialogBackgroundBrush();
LRESULT PaintOnDialogBackground(HDC dc);

struct ControlPlacement {
    int id;
    const wchar_t* className;  // null: a child the dialog made itself, found by its id
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;  // twips
    double points;                 // font size
};

// The child controls of one dialog, created in the order given (which is the
// tab order) and placed again whenever the DPI changes.
class DialogLayout {
public:
    void Create(HWND parent, HINSTANCE instance, const std::vector<ControlPlacement>& placements, UINT dpi);
    void Apply(UINT dpi);
    HWND Control(int id) const;

private:
    HWND parent_ = nullptr;
    std::vector<ControlPlacement> placements_;
    std::vector<HWND> windows_;
    std::map<double, UniqueFont> fonts_;
};

// The messages every dialog answers alike: its buttons' and labels' colours and
// a new DPI (the layout, then the size the system suggests). False for any other.
bool HandleLookMessage(HWND window, DialogLayout& layout, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Sizes a window so that its client area is the given twips, and centres it on its monitor.
void PlaceDialog(HWND window, int clientWidthTwips, int clientHeightTwips, UINT dpi);

UINT WindowDpi(HWND window);

}  // namespace yomorina::win32
