#pragma once

#include "platform/FileStore.h"

namespace yomorina::win32 {

class FileStore final : public yomorina::FileStore {
public:
    bool Exists(std::string_view path) const override;
    FileReadOutcome Read(std::string_view path, std::chrono::milliseconds patience) const override;
    FileWriteOutcome ReplaceWhole(std::string_view path, std::string_view bytes) override;
};

}  // namespace yomorina::win32
