#pragma once
// The notification area of Wine's virtual desktop, seen from outside: our
// icon's colours at the right end of the taskbar, and the tip it shows.

#include <windows.h>

#include <string>

namespace yomorina::e2e {

bool TrayShowsOurIcon();
// The icon of a program that has just ended goes when the taskbar repaints,
// not at once: true once it has gone.
bool TrayClearOfOurIcon();
// Where a press on our icon lands (the first icon of the area).
POINT TrayIconPoint();
// A person's press and release on our icon.
void PressTrayIcon();
// Rests the pointer on the icon and reads the tip that comes up.
std::wstring TrayTipUnderPointer();

}  // namespace yomorina::e2e
