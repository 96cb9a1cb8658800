#include "platform/win32/files/FolderChangeWatch.h"

#include <mutex>
#include <utility>

#include "platform/win32/base/WideText.h"
#include "platform/win32/files/FileStore.h"

namespace yomorina::win32 {
namespace {

constexpr DWORD WatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                 FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES;
// A folder that stays away is not asked for at every tick.
constexpr ULONGLONG SetAgainPauseMilliseconds = 5000;

HANDLE Watch(const std::wstring& folder) { return FindFirstChangeNotificationW(folder.c_str(), FALSE, WatchedChanges); }

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

struct FolderChangeWatch::Retry {
    std::mutex mutex;
    HANDLE ready = nullptr;  // set by a try, not yet taken
    bool running = false;
    ULONGLONG lastTry = 0;
    Retry() = default;
    Retry(const Retry&) = delete;
    Retry& operator=(const Retry&) = delete;
    ~Retry() {
        if (ready) FindCloseChangeNotification(ready);
    }
};

namespace {

struct RetryItem {
    std::shared_ptr<FolderChangeWatch::Retry> retry;
    std::wstring folder;
    DWORD thread;
};

void CALLBACK SetAgain(PTP_CALLBACK_INSTANCE, void* context) noexcept {
    const std::unique_ptr<RetryItem> item(static_cast<RetryItem*>(context));
    HANDLE watch = Watch(item->folder);
    if (watch == INVALID_HANDLE_VALUE) watch = nullptr;
    {
        const std::lock_guard lock(item->retry->mutex);
        item->retry->running = false;
        item->retry->ready = watch;
    }
    if (watch) PostThreadMessageW(item->thread, WM_NULL, 0, 0);
}

}  // namespace

FolderChangeWatch::FolderChangeWatch(std::wstring folder)
    : folder_(std::move(folder)), watch_(Watch(folder_)), retry_(std::make_shared<Retry>()) {}

// A try still running keeps what it needs and closes what it sets.
FolderChangeWatch::~FolderChangeWatch() = default;

void FolderChangeWatch::Rearm() {
    if (watch_ && !FindNextChangeNotification(watch_.get())) watch_.reset();
}

void FolderChangeWatch::SetAgainIfLost(DWORD thread) {
    if (watch_) return;
    const std::lock_guard lock(retry_->mutex);
    const ULONGLONG now = GetTickCount64();
    if (retry_->running || retry_->ready || (retry_->lastTry != 0 && now - retry_->lastTry < SetAgainPauseMilliseconds)) {
        return;
    }
    auto item = std::make_unique<RetryItem>(RetryItem{retry_, folder_, thread});
    if (!TrySubmitThreadpoolCallback(SetAgain, item.get(), nullptr)) return;
    item.release();
    retry_->running = true;
    retry_->lastTry = now;
}

bool FolderChangeWatch::TakeWatchSetAgain() {
    const std::lock_guard lock(retry_->mutex);
    if (!retry_->ready) return false;
    watch_.reset(std::exchange(retry_->ready, nullptr));
    return true;
}

std::wstring LinkedFolder(const std::wstring& path) {
    const std::wstring file = FinalPath(path);
    const std::wstring folder = FinalPath(FolderOf(path));
    if (file.empty() || folder.empty()) return {};
    const std::wstring linked = FolderOf(file);
    if (CompareStringOrdinal(linked.c_str(), -1, folder.c_str(), -1, TRUE) == CSTR_EQUAL) return {};
    return linked;
}

ListFileWatch::ListFileWatch(std::string_view listFile)
    : ownFolder_(FolderOf(ToWide(listFile))), thread_(GetCurrentThreadId()) {
    if (std::wstring linked = LinkedFolder(ToWide(listFile)); !linked.empty()) {
        linkedFolder_ = std::make_unique<FolderChangeWatch>(std::move(linked));
    }
}

std::size_t ListFileWatch::Signals(std::array<HANDLE, 2>& signals, std::array<FolderChangeWatch*, 2>& owners) {
    std::size_t count = 0;
    for (FolderChangeWatch* watch : {&ownFolder_, linkedFolder_.get()}) {
        if (!watch || !watch->Signal()) continue;
        signals[count] = watch->Signal();
        owners[count] = watch;
        ++count;
    }
    return count;
}

bool ListFileWatch::RestoreLostWatches() {
    bool restored = false;
    for (FolderChangeWatch* watch : {&ownFolder_, linkedFolder_.get()}) {
        if (!watch || watch->Signal()) continue;
        if (watch->TakeWatchSetAgain()) {
            restored = true;
        } else {
            watch->SetAgainIfLost(thread_);
        }
    }
    return restored;
}

}  // namespace yomorina::win32
