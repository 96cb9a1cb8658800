#pragma once

#include "platform/DirectorySearch.h"

namespace yomorina::win32 {

class DirectorySearch final : public yomorina::DirectorySearch {
public:
    bool FindsEntry(std::string_view path) const override;
};

}  // namespace yomorina::win32
