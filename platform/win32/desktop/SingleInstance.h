#pragma once

#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

inline constexpr wchar_t SingleInstanceMutexName[] = L"Local\\Yomorina.SingleInstance";

// Held for the whole run; a second start of the program in the same session sees it.
class SingleInstance {
public:
    SingleInstance();
    bool IsFirst() const { return isFirst_; }
    // From a second start: the running copy opens its options dialog, or
    // brings it to the front. A user who cannot find the icon starts the program again.
    void AskTheFirstForItsOptions() const;

private:
    UniqueKernelHandle mutex_;
    bool isFirst_ = false;
};

}  // namespace yomorina::win32
