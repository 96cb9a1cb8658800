#pragma once
// The dialogs' owner-drawn push buttons: a flat face in the dialog's button
// colour, a raised edge that sinks while pressed, the caption centred.

#include <windows.h>

namespace yomorina::win32 {

inline constexpr COLORREF ButtonFaceColour = RGB(255, 192, 128);

// For WM_DRAWITEM of a BS_OWNERDRAW button; the caption is drawn in the button's own font.
void DrawColouredButton(const DRAWITEMSTRUCT& item, COLORREF face = ButtonFaceColour) noexcept;

}  // namespace yomorina::win32
