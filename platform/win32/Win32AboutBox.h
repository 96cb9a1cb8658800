#pragma once
// The about box "バージョン情報", shown modal over its owner.

#include <windows.h>

namespace yomorina::win32 {

inline constexpr wchar_t AboutBoxClass[] = L"YomorinaFrmAbout";

// Returns when the box has been closed; the owner is usable again by then.
// Browser windows opened from the box stay open.
void ShowAboutBox(HINSTANCE instance, HWND owner);

}  // namespace yomorina::win32
