#pragma once
// An OLE drop target for a window: every drop is handed over as DroppedData.
// Files are accepted with the copy effect; anything else is offered no effect
// but still reported, so the handler decides what a non-file drop means.

#include <windows.h>

#include <ole2.h>

#include <functional>

#include "platform/FileDrop.h"

namespace yomorina::win32 {

// Reads the shell's file list out of a data object (as UTF-16, so no code page touches the paths).
DroppedData ReadDroppedData(IDataObject* data);

class FileDropRegistration {
public:
    using Handler = std::function<void(const DroppedData&)>;

    FileDropRegistration() = default;
    // Starts OLE on this thread if nothing has yet.
    FileDropRegistration(HWND window, Handler handler);
    ~FileDropRegistration();
    FileDropRegistration(FileDropRegistration&& other) noexcept;
    FileDropRegistration& operator=(FileDropRegistration&& other) noexcept;
    FileDropRegistration(const FileDropRegistration&) = delete;
    FileDropRegistration& operator=(const FileDropRegistration&) = delete;

    bool IsRegistered() const { return window_ != nullptr; }

private:
    void Revoke() noexcept;

    HWND window_ = nullptr;
    IDropTarget* target_ = nullptr;
};

}  // namespace yomorina::win32
