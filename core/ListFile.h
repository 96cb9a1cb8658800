#pragma once
// filelist.txt: 64 CR LF lines beside the executable. Three numbers, thirty
// name/path pairs, one number. Code page 932 unless a text has no form there,
// then the whole file is UTF-8 with a byte-order mark.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Model.h"
#include "platform/CodePage.h"
#include "platform/FileStore.h"
#include "platform/ProcessInfo.h"

namespace yomorina {

inline constexpr int ListFileLineCount = 64;
inline constexpr std::string_view ListFileName = "filelist.txt";

// " 100 " for 100, "-5 " for -5.
std::string FormatNumberLine(std::int16_t value);
// Surrounding spaces ignored; empty unless a signed decimal in the 16-bit range.
std::optional<std::int16_t> ParseNumberLine(std::string_view line);

// The 142 bytes written when the file is missing: 100, 5, 1, thirty empty slots, 0.
const std::string& DefaultListFileBytes();

std::string EncodeListFile(const ScatterSettings& settings, const LaunchList& list, const CodePage932& codePage);

// Reads each value on its own: a value that is missing or unreadable is left as
// the caller had it. Lines past the 64th are ignored; CR LF, LF or CR end a line.
void DecodeListFile(std::string_view bytes, ScatterSettings& settings, LaunchList& list, const CodePage932& codePage);

class ListFile {
public:
    ListFile(FileStore& store, const CodePage932& codePage, const ProcessInfo& process);

    std::string ListFilePath() const;

    // Fills the model, creating the default file first when there is none. When
    // that creation fails the model gets the defaults and the failure comes back
    // as the text of the error message.
    std::optional<std::string> LoadListFile(Model& model);

    // Empty on success, otherwise the text of the error message; the old file is then untouched.
    std::optional<std::string> SaveListFile(const Model& model);

private:
    FileStore& store_;
    const CodePage932& codePage_;
    const ProcessInfo& process_;
};

}  // namespace yomorina
