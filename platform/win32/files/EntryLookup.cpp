#include "platform/win32/files/EntryLookup.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/win32/base/LateBound.h"
#include "platform/win32/files/DirectorySearch.h"
#include "platform/win32/files/TargetIcon.h"

namespace yomorina::win32 {

namespace {

// Beyond this many paths, those not asked about again are forgotten.
constexpr std::size_t KeptPaths = 64;

struct Record {
    EntryAnswer answer = EntryAnswer::NotYetKnown;
    bool pending = false;
    UniqueIcon icon;
    int iconSide = -1;  // none extracted yet
};

}  // namespace

// Owned jointly by the lookup and its running work items: a work item that
// ends after the lookup (a share answering a minute later) still finds it.
struct EntryLookup::Shared {
    FindsEntry findsEntry;
    IconOfEntry iconOfEntry;
    std::mutex mutex;
    std::map<std::string, Record, std::less<>> records;
    HWND answerWindow = nullptr;
    UINT answerMessage = 0;
};

namespace {

struct WorkItem {
    std::shared_ptr<EntryLookup::Shared> shared;
    std::string path;
    int iconSide = 0;
    bool wantsIcon = true;
};

// The shell's icon extraction wants COM on the calling thread; a pool thread
// is left as it was found.
class ComOnThisThread {
public:
    ComOnThisThread()
        : initialised_(SUCCEEDED(late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComOnThisThread() {
        if (initialised_) late::CoUninitialize();
    }
    ComOnThisThread(const ComOnThisThread&) = delete;
    ComOnThisThread& operator=(const ComOnThisThread&) = delete;

private:
    bool initialised_;
};

void CALLBACK LookUp(PTP_CALLBACK_INSTANCE, void* context) noexcept {
    const std::unique_ptr<WorkItem> item(static_cast<WorkItem*>(context));
    EntryLookup::Shared& shared = *item->shared;
    // The slow part, outside the lock: a share that does not answer blocks this item only.
    const bool found = shared.findsEntry(item->path);
    UniqueIcon icon;
    if (found && item->wantsIcon) {
        const ComOnThisThread com;
        icon = shared.iconOfEntry(item->path, item->iconSide);
    }
    HWND window = nullptr;
    UINT message = 0;
    {
        const std::lock_guard lock(shared.mutex);
        const auto record = shared.records.find(item->path);
        if (record == shared.records.end()) return;
        Record& answered = record->second;
        answered.pending = false;
        answered.answer = found ? EntryAnswer::Found : EntryAnswer::Missing;
        if (!found) {
            answered.icon.reset();
            answered.iconSide = -1;
        } else if (item->wantsIcon) {
            answered.icon = std::move(icon);
            answered.iconSide = item->iconSide;
        }
        window = shared.answerWindow;
        message = shared.answerMessage;
    }
    if (window) PostMessageW(window, message, 0, 0);
}

}  // namespace

EntryLookup::EntryLookup()
    : EntryLookup([](std::string_view path) { return DirectorySearch().FindsEntry(path); },
                       [](std::string_view path, int side) { return TargetIcon(path, side); }) {}

EntryLookup::EntryLookup(FindsEntry findsEntry, IconOfEntry iconOfEntry) : shared_(std::make_shared<Shared>()) {
    shared_->findsEntry = std::move(findsEntry);
    shared_->iconOfEntry = std::move(iconOfEntry);
}

EntryLookup::~EntryLookup() { PostAnswersTo(nullptr, 0); }

void EntryLookup::Begin(const std::vector<std::string>& paths, int iconSide) {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->records.size() > KeptPaths) {
        std::erase_if(shared_->records, [&](const auto& record) {
            return !record.second.pending && std::find(paths.begin(), paths.end(), record.first) == paths.end();
        });
    }
    for (const std::string& path : paths) {
        Record& record = shared_->records[path];
        if (record.pending) continue;
        // An icon already held at this size is not extracted again; the existence is asked afresh.
        const bool wantsIcon = record.answer != EntryAnswer::Found || record.iconSide != iconSide;
        auto item = std::make_unique<WorkItem>(WorkItem{shared_, path, iconSide, wantsIcon});
        if (!TrySubmitThreadpoolCallback(LookUp, item.get(), nullptr)) continue;  // asked again at the next Begin
        item.release();
        record.pending = true;
    }
}

EntryAnswer EntryLookup::Answer(std::string_view path) const {
    const std::lock_guard lock(shared_->mutex);
    const auto record = shared_->records.find(path);
    return record == shared_->records.end() ? EntryAnswer::NotYetKnown : record->second.answer;
}

UniqueIcon EntryLookup::IconOf(std::string_view path) const {
    const std::lock_guard lock(shared_->mutex);
    const auto record = shared_->records.find(path);
    if (record == shared_->records.end() || record->second.answer != EntryAnswer::Found || !record->second.icon) {
        return UniqueIcon();
    }
    return UniqueIcon(CopyIcon(record->second.icon.get()));
}

void EntryLookup::PostAnswersTo(HWND window, UINT message) {
    const std::lock_guard lock(shared_->mutex);
    shared_->answerWindow = window;
    shared_->answerMessage = message;
}

HWND EntryLookup::AnswerWindow() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->answerWindow;
}

}  // namespace yomorina::win32
