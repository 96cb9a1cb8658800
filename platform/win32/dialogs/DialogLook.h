#pragma once
// What every dialog of the program shares: the light yellow ground, the light
// orange owner-drawn buttons, ＭＳ Ｐゴシック, and layouts in twips scaled to
// the window's DPI.

#include <windows.h>

#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

inline constexpr COLORREF DialogBackground = RGB(255, 255, 192);
inline constexpr COLORREF ButtonFace = RGB(255, 192, 128);

inline constexpr double LabelPoints = 11.25;  // labels, option buttons, check boxes' captions
inline constexpr double DialogPoints = 9;      // everything without a font of its own
inline constexpr DWORD OrangeButtonStyle = BS_OWNERDRAW | WS_TABSTOP;

inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// In Japanese, ＭＳ Ｐゴシック in the Shift-JIS set, or the system's Japanese UI
// font where that face is missing; in every other language the system's own UI font.
enum class FontEmphasis { None, Bold, Underline };
UniqueFont CreateDialogFont(double points, UINT dpi, FontEmphasis emphasis = FontEmphasis::None);

// The light orange face of every button, pressed or not, with its caption and focus.
void DrawOrangeButton(const DRAWITEMSTRUCT& item);

// The yellow ground for labels, option buttons, check boxes and sliders.
HBRUSH DialogBackgroundBrush();
LRESULT PaintOnDialogBackground(HDC dc);

UINT WindowDpi(HWND window);

// How wide a control's text is in a font, in pixels.
int TextWidth(HWND control, HFONT font);
// How wide a label, button, check box or option button must be to show its
// text whole in a font, mark and margins included; 0 for a control without a caption.
int CaptionWidth(HWND control, HFONT font, UINT dpi);
// The least room, in twips, a longer caption leaves before the next control on its row.
inline constexpr int CaptionGap = 120;

}  // namespace yomorina::win32
