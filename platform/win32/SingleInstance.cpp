#include "platform/win32/SingleInstance.h"

namespace yomorina::win32 {

SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\Yomorina.SingleInstance")) {
    // Without a mutex we cannot tell; running is better than refusing to start.
    isFirst_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace yomorina::win32
