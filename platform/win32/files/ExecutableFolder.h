#pragma once

#include <string>

#include "platform/ExecutableFolder.h"

namespace yomorina::win32 {

// The running executable's full path, as the system reports it.
std::wstring ExecutablePath();
// The folder part of a full path; at a drive root it keeps its "\" (C:\).
std::wstring FolderOf(const std::wstring& path);

class ExecutableFolder final : public yomorina::ExecutableFolder {
public:
    std::string Path() const override;
};

}  // namespace yomorina::win32
