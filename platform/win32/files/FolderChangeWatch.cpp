#include "platform/win32/files/FolderChangeWatch.h"

#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {

FolderChangeWatch::FolderChangeWatch(std::string_view folder)
    : watch_(FindFirstChangeNotificationW(ToWide(folder).c_str(), FALSE,
                                          FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                              FILE_NOTIFY_CHANGE_LAST_WRITE)) {}

void FolderChangeWatch::Rearm() {
    // A folder that went away cannot be watched again; the program runs on without.
    if (watch_ && !FindNextChangeNotification(watch_.get())) watch_.reset();
}

}  // namespace yomorina::win32
