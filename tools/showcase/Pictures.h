#pragma once
// The pictures themselves: the screen as a person sees it, pointer and all, or one window of it.

#include <windows.h>

#include <string>
#include <vector>

namespace yomorina::showcase {

// Each monitor's rectangle on the screen.
std::vector<RECT> Monitors();

// Once the screen has stopped changing: another process's painting ends with no sign to us.
void WaitForStillScreen();
// Every monitor, with the mouse pointer drawn where it is (the screen's own copy leaves it
// out) and black between them.
void SaveScreenWithPointer(const std::string& name);
// The window alone, frame and all, with the pointer moved off it so that nothing in it
// lights up under the hand or shows a tip.
void SaveWindowPicture(HWND window, const std::string& name);

}  // namespace yomorina::showcase
