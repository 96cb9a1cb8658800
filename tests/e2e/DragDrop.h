#pragma once
// Dragging from outside, as Explorer does: a real OLE drag (DoDragDrop) from
// this test program, held over a screen point and released there.

#include <windows.h>

#include <ole2.h>

#include <string>
#include <vector>

namespace yomorina::e2e {

struct DragOutcome {
    HRESULT result = E_FAIL;         // DRAGDROP_S_DROP when a target took the drop
    DWORD effect = DROPEFFECT_NONE;  // what the target said it did
};

// Drops a shell file list (CF_HDROP, wide paths) on whatever window is at the point.
DragOutcome DropFilesAt(POINT point, const std::vector<std::wstring>& files);
// Drops a piece of text (CF_UNICODETEXT) and nothing else.
DragOutcome DropTextAt(POINT point, const std::wstring& text);

}  // namespace yomorina::e2e
