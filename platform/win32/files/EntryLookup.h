#pragma once
// The entries' existence and icons, looked up away from the user-interface thread
// by a few lanes at a time, so that one share that does not answer holds up neither the
// user-interface thread nor the other entries: a lane stuck on it is replaced.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EntryLookup.h"
#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

class EntryLookup final : public yomorina::EntryLookup {
public:
    using FindsEntry = std::function<bool(std::string_view path)>;
    using IconOfEntry = std::function<UniqueIcon(std::string_view path, int side)>;

    // The directory search and TargetIcon.
    EntryLookup();
    // What the lanes call, from any thread; tests hand in ones that block.
    EntryLookup(FindsEntry findsEntry, IconOfEntry iconOfEntry);
    // Lanes still running keep what they need and drop their answers; waiting paths are dropped.
    ~EntryLookup() override;
    EntryLookup(const EntryLookup&) = delete;
    EntryLookup& operator=(const EntryLookup&) = delete;

    void Begin(const std::vector<std::string>& paths, int iconSide) override;
    EntryAnswer Answer(std::string_view path) const override;

    // A copy of the found entry's icon; null when it has none or is not found.
    UniqueIcon IconOf(std::string_view path) const;
    // Each answer that comes in is posted to window as message; null: to no one.
    void PostAnswersTo(HWND window, UINT message);
    HWND AnswerWindow() const;

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace yomorina::win32
