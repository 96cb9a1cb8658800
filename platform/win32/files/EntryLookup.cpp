#include "platform/win32/files/EntryLookup.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <list>
#include <map>
#include <mutex>

#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/TestSeams.h"
#include "platform/win32/files/DirectorySearch.h"
#include "platform/win32/files/TargetIcon.h"

namespace yomorina::win32 {

namespace {

// Beyond this many paths, those not asked about again are forgotten.
constexpr std::size_t KeptPaths = 64;
// Paths looked up at once. Each lane is a thread, which under Wine holds about a
// megabyte while it lives; thirty entries asked of the pool at once got thirty. A
// lane's thread ends with the last waiting path, where a pool's would linger for
// seconds, so a scatter gives its memory back as soon as the answers are in.
constexpr std::size_t Lanes = 3;
// A lane this long on one path is taken for a share that does not answer: another
// lane takes over the paths waiting behind it.
constexpr ULONGLONG StuckAfterMs = 250;

struct Record {
    EntryAnswer answer = EntryAnswer::NotYetKnown;
    bool pending = false;
    UniqueIcon icon;
    int iconSide = -1;  // none extracted yet
};

struct WorkItem {
    std::string path;
    int iconSide = 0;
    bool wantsIcon = true;
};

}  // namespace

// Owned jointly by the lookup and its running lanes: a lane that ends after the
// lookup (a share answering a minute later) still finds it.
struct EntryLookup::Shared {
    FindsEntry findsEntry;
    IconOfEntry iconOfEntry;
    std::mutex mutex;
    // Wakes the watcher when nothing waits any more, the lookup's end included.
    std::condition_variable nothingWaits;
    std::map<std::string, Record, std::less<>> records;
    std::deque<WorkItem> waiting;
    // One entry a running lane: when it began its current path (0 before its first).
    std::list<ULONGLONG> lanes;
    bool watching = false;
    HWND answerWindow = nullptr;
    UINT answerMessage = 0;
};

namespace {

using Shared = EntryLookup::Shared;

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

void LookUp(Shared& shared, const WorkItem& item) {
    // The slow part, outside the lock: a share that does not answer blocks this lane only.
    const bool found = shared.findsEntry(item.path);
    UniqueIcon icon;
    if (found && item.wantsIcon) {
        const ComOnThisThread com;
        icon = shared.iconOfEntry(item.path, item.iconSide);
    }
    HWND window = nullptr;
    UINT message = 0;
    {
        const std::lock_guard lock(shared.mutex);
        const auto record = shared.records.find(item.path);
        if (record == shared.records.end()) return;
        Record& answered = record->second;
        answered.pending = false;
        answered.answer = found ? EntryAnswer::Found : EntryAnswer::Missing;
        if (!found) {
            answered.icon.reset();
            answered.iconSide = -1;
        } else if (item.wantsIcon) {
            answered.icon = std::move(icon);
            answered.iconSide = item.iconSide;
        }
        window = shared.answerWindow;
        message = shared.answerMessage;
    }
    if (window) PostMessageW(window, message, 0, 0);
}

// Counts a lookup thread from its start until it has let go of the shared state,
// which it holds as a later member.
struct CountedThread {
    CountedThread() = default;
    CountedThread(const CountedThread&) = delete;
    CountedThread& operator=(const CountedThread&) = delete;
    ~CountedThread() { --RunningLookupThreads(); }
};

// Starts a counted thread on context, which it owns from then on; false (and
// nothing counted) when the system has none to give.
bool StartCountedThread(LPTHREAD_START_ROUTINE run, void* context) {
    ++RunningLookupThreads();
    if (const UniqueKernelHandle thread{CreateThread(nullptr, 0, run, context, 0, nullptr)}) return true;
    --RunningLookupThreads();
    return false;
}

struct Lane {
    CountedThread counted;
    std::shared_ptr<Shared> shared;
    std::list<ULONGLONG>::iterator began;
};

DWORD WINAPI RunLane(void* context) noexcept {
    const std::unique_ptr<Lane> lane(static_cast<Lane*>(context));
    Shared& shared = *lane->shared;
    for (;;) {
        WorkItem item;
        {
            const std::lock_guard lock(shared.mutex);
            if (shared.waiting.empty()) {
                shared.lanes.erase(lane->began);
                return 0;
            }
            item = std::move(shared.waiting.front());
            shared.waiting.pop_front();
            if (shared.waiting.empty()) shared.nothingWaits.notify_all();
            *lane->began = GetTickCount64();
        }
        LookUp(shared, item);
    }
}

// Under the lock: lanes for the waiting paths, not counting those stuck on a share.
void StartLanes(const std::shared_ptr<Shared>& shared) {
    const ULONGLONG now = GetTickCount64();
    const auto movingOn = [now](ULONGLONG began) { return !began || now - began < StuckAfterMs; };
    auto moving = static_cast<std::size_t>(std::count_if(shared->lanes.begin(), shared->lanes.end(), movingOn));
    while (moving < Lanes && moving < shared->waiting.size()) {
        auto lane = std::make_unique<Lane>();
        lane->shared = shared;
        lane->began = shared->lanes.insert(shared->lanes.end(), 0);
        if (!StartCountedThread(RunLane, lane.get())) {
            shared->lanes.erase(lane->began);
            return;  // the lanes already running, or the next Begin, take the rest
        }
        lane.release();
        ++moving;
    }
}

struct Watcher {
    CountedThread counted;
    std::shared_ptr<Shared> shared;
};

// While paths wait, looks every StuckAfterMs for lanes stuck on a share and starts others;
// ends as soon as nothing waits, so that the lookup's end lets go of the shared state at once.
DWORD WINAPI Watch(void* context) noexcept {
    const std::unique_ptr<Watcher> watcher(static_cast<Watcher*>(context));
    Shared& shared = *watcher->shared;
    std::unique_lock lock(shared.mutex);
    for (;;) {
        const auto nothingWaits = [&] { return shared.waiting.empty(); };
        if (shared.nothingWaits.wait_for(lock, std::chrono::milliseconds(StuckAfterMs), nothingWaits)) {
            shared.watching = false;
            return 0;
        }
        StartLanes(watcher->shared);
    }
}

}  // namespace

EntryLookup::EntryLookup()
    : EntryLookup([](std::string_view path) { return DirectorySearch().FindsEntry(path); },
                       [](std::string_view path, int side) { return TargetIcon(path, side); }) {}

EntryLookup::EntryLookup(FindsEntry findsEntry, IconOfEntry iconOfEntry) : shared_(std::make_shared<Shared>()) {
    shared_->findsEntry = std::move(findsEntry);
    shared_->iconOfEntry = std::move(iconOfEntry);
}

EntryLookup::~EntryLookup() {
    const std::lock_guard lock(shared_->mutex);
    shared_->answerWindow = nullptr;
    shared_->waiting.clear();
    // A lane stuck on a share keeps the shared state until the share answers; the
    // icons go now.
    shared_->records.clear();
    shared_->nothingWaits.notify_all();
}

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
        shared_->waiting.push_back({path, iconSide, wantsIcon});
        record.pending = true;
    }
    StartLanes(shared_);
    if (shared_->waiting.empty() || shared_->watching) return;
    auto watcher = std::make_unique<Watcher>();
    watcher->shared = shared_;
    if (StartCountedThread(Watch, watcher.get())) {
        watcher.release();
        shared_->watching = true;
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
