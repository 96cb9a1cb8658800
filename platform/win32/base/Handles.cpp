#include "platform/win32/base/Handles.h"

#include <array>

namespace yomorina::win32 {

std::atomic<long>& LiveHandleCount(HandleKind kind) {
    static std::array<std::atomic<long>, static_cast<std::size_t>(HandleKind::Count)> counts{};
    return counts[static_cast<std::size_t>(kind)];
}

}  // namespace yomorina::win32
