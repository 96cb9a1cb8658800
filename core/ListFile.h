#pragma once
// filelist.txt: 64 CR LF lines beside the executable. Three numbers, thirty
// name/path pairs, one number; a 65th, the call key, only when one is set, so
// that a list without one stays as it always was. Code page 932 unless a text has no form there,
// then the whole file is UTF-8 with a byte-order mark. A file without the mark
// that is valid UTF-8 (as Notepad saves it) is read as UTF-8.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Model.h"
#include "core/Settings.h"
#include "platform/CodePage932.h"
#include "platform/ExecutableFolder.h"
#include "platform/FileStore.h"

namespace yomorina {

// The lines every copy of the program reads and writes, never fewer: the
// settings' lines (core/Settings.h) and, from the first line no setting
// holds, the texts of each slot in turn.
//
// How the file grows: a setting added later takes the next line past these
// (the call key's is the 65th). A file holds such lines only up to the last
// one set to a value its setting accepts other than its default, so that a
// list that sets none is byte for byte the 64-line file every copy knows; a
// missing or unreadable one reads as its setting's default.
inline constexpr int ListFileLineCount = 64;
inline constexpr std::array SlotLines{&LaunchEntry::Name, &LaunchEntry::Path};
inline constexpr int SlotTextCount = static_cast<int>(SlotLines.size()) * LaunchSlotCount;
inline constexpr std::string_view ListFileName = "filelist.txt";

// " 100 " for 100, "-5 " for -5.
std::string FormatNumberLine(std::int16_t value);
// Surrounding spaces ignored; empty unless a signed decimal in the 16-bit range.
std::optional<std::int16_t> ParseNumberLine(std::string_view line);

// The 142 bytes written when the file is missing: 100, 5, 1, thirty empty slots, 0.
const std::string& DefaultListFileBytes();

// Valid UTF-8 with at least one character beyond ASCII. Code page 932 text
// with Japanese in it practically never is.
bool IsUtf8Text(std::string_view bytes);

std::string EncodeListFile(const ScatterSettings& settings, const LaunchList& list, const CodePage932& codePage);

// Whether the bytes could be all the encoder wrote: at least the 64 lines,
// each with its CR LF. A write cut short has fewer, or ends mid-line.
bool IsWholeListFile(std::string_view bytes);

// Reads each value on its own: a value among the 64 lines that is missing or
// unreadable is left as the caller had it; one past them is its default.
// Lines past the last setting's are ignored; CR LF, LF or CR end a line.
void DecodeListFile(std::string_view bytes, ScatterSettings& settings, LaunchList& list, const CodePage932& codePage);

// At start-up a sync or backup program may hold the file for a few seconds.
inline constexpr std::chrono::milliseconds StartUpReadPatience{5000};
// Where a moment's wait holds up only the user who asked: the options dialog opening or closing.
inline constexpr std::chrono::milliseconds RereadPatience{1000};

enum class ReloadOutcome { Unchanged, Taken, NotReadable };

// What start-up has to tell the user, and the title of its box.
struct ListFileNotice {
    std::string text;
    std::string_view title;
};

// The file on disk against what the program last read or wrote there.
enum class DiskState { AsLastSeen, NeverRead, ChangedSinceRead };

class ListFile {
public:
    ListFile(FileStore& store, const CodePage932& codePage, const ExecutableFolder& executableFolder);

    std::string Path() const;

    // Fills the model, creating the file first when there is none: from what an
    // interrupted save left whole beside it, which the notice then tells,
    // else with the defaults; beside a whole file, what such a save left is
    // removed. When that creation fails, or an existing file cannot be read, the
    // model gets a new file's settings and an empty list, the file is left
    // alone, and the notice is the error.
    std::optional<ListFileNotice> Load(Model& model);

    // Reads the file again and the model takes it when it holds other bytes
    // than the program last read or wrote (or was never read). A file that
    // exists but cannot be read within `patience` is the caller's to try again.
    ReloadOutcome ReloadIfChanged(Model& model, std::chrono::milliseconds patience = std::chrono::milliseconds(0));

    // Whether a save now would replace something the user has not seen.
    DiskState CompareWithDisk() const;

    // Empty on success, otherwise the text of the error message; the old file is then untouched.
    std::optional<std::string> Save(const Model& model);

private:
    void Take(const std::string& bytes, Model& model);

    FileStore& store_;
    const CodePage932& codePage_;
    const ExecutableFolder& executableFolder_;
    // The bytes last read or written; empty while the file has never been read.
    std::optional<std::string> known_;
};

}  // namespace yomorina
