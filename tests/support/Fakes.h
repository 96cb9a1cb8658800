#pragma once
// In-memory stand-ins for the platform, recording what the logic asked of them.

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/CallKey.h"
#include "platform/DirectorySearch.h"
#include "platform/EntryLookup.h"
#include "platform/ExecutableFolder.h"
#include "platform/FileStore.h"
#include "platform/KeyboardLayouts.h"
#include "platform/MainWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/Monitors.h"
#include "platform/Overlay.h"
#include "platform/Pointer.h"
#include "platform/StartupShortcut.h"
#include "platform/Wakeups.h"
#include "platform/TrayIcon.h"
#include "platform/UserAttention.h"

namespace yomorina::testing {

// One journal shared by several fakes, so a test can check the order of effects.
using Journal = std::vector<std::string>;

class FakeFileStore final : public FileStore {
public:
    explicit FakeFileStore(Journal* journal = nullptr) : journal_(journal) {}
    std::map<std::string, std::string> files;
    // Files that exist but cannot be read (held without sharing, denied,
    // not downloaded), with the system's description of why.
    std::map<std::string, std::string> unreadable;
    // What a save cut short in its swap left beside a missing file.
    std::map<std::string, std::string> interrupted;
    bool failWrites = false;
    int writes = 0;
    mutable std::chrono::milliseconds lastPatience{-1};
    std::function<void()> meanwhile;  // what runs while a file is read (a placeholder downloading)

    bool Exists(std::string_view path) const override {
        return files.count(std::string(path)) != 0 || unreadable.count(std::string(path)) != 0;
    }
    FileReadOutcome Read(std::string_view path, std::chrono::milliseconds patience) const override {
        if (meanwhile) meanwhile();
        if (journal_) journal_->push_back("read " + std::string(path));
        lastPatience = patience;
        if (const auto locked = unreadable.find(std::string(path)); locked != unreadable.end()) {
            return {std::nullopt, false, locked->second};
        }
        const auto found = files.find(std::string(path));
        if (found == files.end()) return {std::nullopt, true, "指定されたファイルが見つかりません。 (2)"};
        return {found->second, false, {}};
    }
    FileWriteOutcome ReplaceWhole(std::string_view path, std::string_view bytes) override {
        ++writes;
        if (failWrites) return {false, "アクセスが拒否されました。 (5)"};
        unreadable.erase(std::string(path));
        interrupted.erase(std::string(path));
        files[std::string(path)] = std::string(bytes);
        return {true, {}};
    }
    void DiscardInterruptedReplacement(std::string_view path) override { interrupted.erase(std::string(path)); }
    std::optional<std::string> InterruptedReplacement(std::string_view path) const override {
        const auto found = interrupted.find(std::string(path));
        if (Exists(path) || found == interrupted.end()) return std::nullopt;
        return found->second;
    }

private:
    Journal* journal_;
};

class FakeExecutableFolder final : public ExecutableFolder {
public:
    explicit FakeExecutableFolder(std::string path = "C:\\Tools\\Yomorina") : path(std::move(path)) {}
    std::string path;
    std::string Path() const override { return path; }
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        std::string title;
        MessageButtons buttons;
        bool operator==(const Shown&) const = default;
        friend void PrintTo(const Shown& m, std::ostream* out) {
            *out << m.title << (m.buttons == MessageButtons::Ok ? " [OK]: " : " [Yes/No]: ") << m.text;
        }
    };
    explicit FakeMessageBoxes(Journal* journal = nullptr) : journal_(journal) {}
    std::vector<Shown> shown;
    MessageAnswer answer = MessageAnswer::Yes;

    MessageAnswer Show(std::string_view text, std::string_view title, MessageButtons buttons) override {
        shown.push_back({std::string(text), std::string(title), buttons});
        if (journal_) journal_->push_back("message " + std::string(title) + ": " + std::string(text));
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
    }

private:
    Journal* journal_;
};
using ShownMessages = std::vector<FakeMessageBoxes::Shown>;

class FakeTrayIcon final : public TrayIcon {
public:
    explicit FakeTrayIcon(Journal& journal) : journal_(journal) {}
    bool present = false;
    int refusals = 0;  // the next adds fail, as when the shell is not ready yet
    bool Add(std::string_view tip) override {
        journal_.push_back("tray add " + std::string(tip));
        if (refusals > 0) {
            --refusals;
            return false;
        }
        present = true;
        return true;
    }
    void Remove() override {
        journal_.push_back("tray remove");
        present = false;
    }

private:
    Journal& journal_;
};

class FakeMainWindow : public MainWindow {
public:
    explicit FakeMainWindow(Journal& journal) : journal_(journal) {}
    bool closed = false;
    int sessionRefusals = 0;  // the next requests fail, as early in a sign-in
    int sessionRequests = 0;

    void Close() override {
        journal_.push_back("close window");
        closed = true;
    }
    bool HearSessionChanges() override { return ++sessionRequests, sessionRefusals-- <= 0; }

private:
    Journal& journal_;
};

class FakeOverlay final : public Overlay {
public:
    explicit FakeOverlay(Journal& journal) : journal_(journal) {}
    bool visible = true;  // until someone hides it
    bool prepared = false;  // made ready for a scatter, until hidden
    std::vector<bool> tileVisible = std::vector<bool>(TileCount, true);
    // A test sets it to say the user brought another window to the front; a new overlay starts afresh.
    bool switchedAway = false;
    std::vector<TilePlacement> tiles = std::vector<TilePlacement>(TileCount);

    void Show(OverlayBackground background) override {
        journal_.push_back("show overlay " + std::to_string(static_cast<int>(background)));
        visible = true;
        switchedAway = false;
    }
    void Prepare() override { prepared = true; }
    void Hide() override {
        journal_.push_back("hide window");
        visible = false;
        prepared = false;
        tileVisible.assign(TileCount, false);
    }
    void TakeForeground() override { journal_.push_back("take the foreground"); }
    void ShowTile(const TilePlacement& tile) override {
        journal_.push_back("show tile " + std::to_string(tile.Slot));
        tiles.at(tile.Slot) = tile;
        tileVisible.at(tile.Slot) = true;
    }
    void FocusTile(int slot) override { journal_.push_back("focus tile " + std::to_string(slot)); }
    void ReleaseKeys() override { journal_.push_back("release overlay keys"); }
    // As the real window, it looks only at the window in front, shown or hidden.
    bool UserSwitchedAway() const override { return switchedAway; }

private:
    Journal& journal_;
};

class FakePointer final : public Pointer {
public:
    ScreenPoint at;
    int samples = 0;
    ScreenPoint Position() override {
        ++samples;
        return at;
    }
};

// Every monitor at one density, which a test may change.
class FakeMonitors final : public Monitors {
public:
    int dotsPerInch = StandardDotsPerInch;
    ScreenRect area{0, 0, 1280, 800};
    int DotsPerInchAt(ScreenPoint) const override { return dotsPerInch; }
    ScreenRect AreaAt(ScreenPoint) const override { return area; }
};

// Kept out of the journal: whether it runs is checked on its own, the effects in their order.
class FakeWakeups final : public Wakeups {
public:
    bool running = false;
    bool watching = false;
    bool reportsExist = true;
    bool retryingRefused = false;
    bool retryingListRead = false;
    void Start() override { running = true; }
    void Stop() override { running = false; }
    bool WatchForMovement() override { return watching = reportsExist; }
    void StopWatching() override { watching = false; }
    void RetryRefused(bool on) override { retryingRefused = on; }
    void RetryListRead(bool on) override { retryingListRead = on; }
};

// Finds exactly the paths it was given; a lookup answers at once, but never
// for the paths in `unanswered` (a share that does not answer).
class FakeDirectorySearch final : public DirectorySearch, public EntryLookup {
public:
    std::set<std::string, std::less<>> existing;
    mutable std::vector<std::string> asked;
    std::set<std::string, std::less<>> unanswered;
    std::vector<std::string> begun;  // every path a lookup began for
    bool FindsEntry(std::string_view path) const override {
        asked.emplace_back(path);
        return existing.find(path) != existing.end();
    }
    void Begin(const std::vector<std::string>& paths, int) override { begun.insert(begun.end(), paths.begin(), paths.end()); }
    EntryAnswer Answer(std::string_view path) const override {
        if (unanswered.find(path) != unanswered.end()) return EntryAnswer::NotYetKnown;
        return FindsEntry(path) ? EntryAnswer::Found : EntryAnswer::Missing;
    }
};

// The system's hot keys as far as the call key goes: the keys in `heldByOthers` cannot be taken.
class FakeCallKeyHolder final : public CallKeyHolder {
public:
    std::set<std::uint16_t> heldByOthers;
    std::uint16_t held = 0;
    bool Hold(std::uint16_t key) override {
        held = heldByOthers.count(key) != 0 ? 0 : key;
        return held == key;
    }
};

// The keys that type a character in each layout the user has installed.
class FakeKeyboardLayouts final : public KeyboardLayouts {
public:
    explicit FakeKeyboardLayouts(std::vector<std::set<std::uint16_t>> installed = {}) : installed(std::move(installed)) {}
    std::vector<std::set<std::uint16_t>> installed;
    bool TypesACharacter(std::uint16_t key) const override {
        return std::any_of(installed.begin(), installed.end(), [&](const auto& layout) { return layout.count(key) != 0; });
    }
};
// A few keys of two layouts: the letter Q and the digit 2 alone, and AltGr
// (Ctrl+Alt) with and without Shift: German @ € ², Polish ż Ż ś Ś ę Ę.
inline constexpr std::uint16_t CtrlAlt = 0x0600, CtrlAltShift = 0x0700;
inline const std::set<std::uint16_t> GermanLayout{'Q', '2', CtrlAlt | 'Q', CtrlAlt | 'E', CtrlAlt | '2'};
inline const std::set<std::uint16_t> PolishLayout{'Q',           '2',           CtrlAlt | 'Z', CtrlAltShift | 'Z', CtrlAlt | 'S',
                                                  CtrlAltShift | 'S', CtrlAlt | 'E', CtrlAltShift | 'E'};

// A full-screen program is in front while `fullScreen` says so; counts how often it is asked.
class FakeUserAttention final : public UserAttention {
public:
    bool fullScreen = false;
    mutable int asked = 0;
    bool ForegroundIsFullScreen() const override {
        ++asked;
        return fullScreen;
    }
};

// The Startup folder's shortcut as one flag; a failing Set changes nothing.
class FakeStartupShortcut final : public StartupShortcut {
public:
    bool set = false;
    std::optional<std::string> failure;  // what Set reports while it fails
    std::vector<bool> calls;

    bool IsSet() const override { return set; }
    std::optional<std::string> Set(bool on) override {
        calls.push_back(on);
        if (failure) return failure;
        set = on;
        return std::nullopt;
    }
};

}  // namespace yomorina::testing
