#pragma once

#include "platform/FileStore.h"

namespace yomorina::win32 {

class Win32FileStore final : public FileStore {
public:
    bool Exists(std::string_view path) const override;
    std::optional<std::string> ReadAll(std::string_view path) const override;
    FileWriteOutcome ReplaceWhole(std::string_view path, std::string_view bytes) override;
};

}  // namespace yomorina::win32
