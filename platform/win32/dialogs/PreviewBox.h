#pragma once
// The options dialog's icon preview: the selected entry's icon, or the recycle
// bin, on a picture that survives repaints.

#include <windows.h>

#include "platform/Controls.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/files/EntryLookup.h"

namespace yomorina::win32 {

class PreviewBox final : public yomorina::PreviewBox, public BaseWindow<PreviewBox> {
public:
    // The icons are those lookup has extracted: drawing never waits for the file system.
    PreviewBox(HINSTANCE instance, HWND parent, int id, const EntryLookup& lookup);
    ~PreviewBox() override;

    void Clear() override;
    void ShowRecycleBin() override;
    void DrawTargetIcon(std::string_view path) override;

    // The picture's pixel at (x, y), for tests.
    COLORREF PixelAt(int x, int y) const;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    void Fill(COLORREF colour);
    void Resize();

    HINSTANCE instance_;
    const EntryLookup& lookup_;
    UniqueMemoryDc picture_;
    UniqueBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    SIZE size_{};
};

}  // namespace yomorina::win32
