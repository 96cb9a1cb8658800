#include "core/ListFile.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "core/PathText.h"
#include "core/Texts.h"

namespace yomorina {
namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// One more than the last line any setting has.
constexpr int LinesRead = [] {
    int lines = ListFileLineCount;
    for (const Setting& setting : Settings) lines = std::max(lines, setting.Line + 1);
    return lines;
}();

constexpr bool IsSettingLine(int line) {
    return std::any_of(Settings.begin(), Settings.end(), [line](const Setting& setting) { return setting.Line == line; });
}

constexpr int FirstSlotLine = [] {
    int line = 0;
    while (IsSettingLine(line)) ++line;
    return line;
}();

// Each line has one owner: the settings and the slots' texts share the 64
// lines, and the settings past them follow one another without a gap.
constexpr bool LinesAreEachOnesOwn() {
    for (int line = 0; line < LinesRead; ++line) {
        const int owners = static_cast<int>(std::count_if(Settings.begin(), Settings.end(),
                                                          [line](const Setting& setting) { return setting.Line == line; })) +
                           (line >= FirstSlotLine && line < FirstSlotLine + SlotTextCount ? 1 : 0);
        if (owners != 1) return false;
    }
    return true;
}
static_assert(LinesAreEachOnesOwn(), "a line of filelist.txt with no owner, or with two");

// Lines in file order; a final line without its line end still counts.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size() && lines.size() < LinesRead) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size() && lines.size() < LinesRead) lines.push_back(bytes.substr(start));
    return lines;
}

std::string ListFileMessage(std::string_view what, std::string_view path, std::string_view failure) {
    std::string message(what);
    message += "\r\n";
    message += path;
    if (!failure.empty()) {
        message += "\r\n";
        message += failure;
    }
    return message;
}

// The one encoding for every text of a file: by its mark, else by its bytes.
bool ReadsAsUtf8(std::string_view& bytes) {
    if (bytes.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark) {
        bytes.remove_prefix(Utf8ByteOrderMark.size());
        return true;
    }
    return IsUtf8Text(bytes);
}

bool IsSet(const ScatterSettings& settings, const Setting& setting) {
    const int value = settings.*setting.Member;
    return value != setting.Default && Accepts(setting, value);
}

// The texts are the slots' in file order, already encoded.
void AppendLines(std::string& file, const ScatterSettings& settings, const std::vector<std::string>& texts) {
    std::vector<std::string> lines(LinesRead);
    for (const Setting& setting : Settings) lines[setting.Line] = FormatNumberLine(settings.*setting.Member);
    std::copy(texts.begin(), texts.end(), lines.begin() + FirstSlotLine);
    int count = ListFileLineCount;
    for (const Setting& setting : Settings) {
        if (setting.Line >= count && IsSet(settings, setting)) count = setting.Line + 1;
    }
    for (int line = 0; line < count; ++line) {
        file += lines[line];
        file += LineEnd;
    }
}

}  // namespace

bool IsUtf8Text(std::string_view bytes) {
    bool beyondAscii = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        beyondAscii = true;
        // The second byte's range shuts out overlong forms, surrogates and code points past U+10FFFF.
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (bytes.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
        }
        i += length;
    }
    return beyondAscii;
}

std::string FormatNumberLine(std::int16_t value) {
    std::string line = value < 0 ? "-" : " ";
    const int magnitude = value < 0 ? -static_cast<int>(value) : value;
    line += std::to_string(magnitude);
    line += ' ';
    return line;
}

std::optional<std::int16_t> ParseNumberLine(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    const auto last = line.find_last_not_of(" \t");
    std::string_view digits = line.substr(first, last - first + 1);
    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;
    // Read unsigned, so that a second sign ("--150", "+-5") is refused rather than read.
    std::uint32_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : magnitude;
    if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

const std::string& DefaultListFileBytes() {
    static const std::string bytes = [] {
        std::string file;
        AppendLines(file, DefaultSettings, std::vector<std::string>(SlotTextCount));
        return file;
    }();
    return bytes;
}

std::string EncodeListFile(const ScatterSettings& settings, const LaunchList& list, const CodePage932& codePage) {
    std::vector<std::string> texts;
    texts.reserve(SlotTextCount);
    bool fitsCodePage = true;
    for (const auto& entry : list) {
        for (const auto field : SlotLines) {
            const std::string& text = entry.*field;
            auto encoded = codePage.FromUtf8(text);
            // A character taken for a look-alike ("£" for "￡") reads back as another name.
            if (!encoded || codePage.ToUtf8(*encoded) != text) {
                fitsCodePage = false;
                break;
            }
            texts.push_back(std::move(*encoded));
        }
        if (!fitsCodePage) break;
    }

    // The rare code page 932 bytes that are also valid UTF-8 (half-width katakana
    // pairs such as "ﾂ｡") would read back as other text without the mark.
    if (fitsCodePage) {
        std::string joined;
        for (const auto& text : texts) joined += text;
        fitsCodePage = !IsUtf8Text(joined);
    }

    std::string file;
    if (!fitsCodePage) {
        // A "?" in place of a character would silently point the entry elsewhere.
        texts.clear();
        for (const auto& entry : list) {
            for (const auto field : SlotLines) texts.push_back(entry.*field);
        }
        file += Utf8ByteOrderMark;
    }
    AppendLines(file, settings, texts);
    return file;
}

bool IsWholeListFile(std::string_view bytes) {
    if (bytes.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark) bytes.remove_prefix(Utf8ByteOrderMark.size());
    int lines = 0;
    for (auto end = bytes.find(LineEnd); end != std::string_view::npos; end = bytes.find(LineEnd, end + 1)) ++lines;
    return lines >= ListFileLineCount && bytes.ends_with(LineEnd);
}

void DecodeListFile(std::string_view bytes, ScatterSettings& settings, LaunchList& list, const CodePage932& codePage) {
    const bool isUtf8 = ReadsAsUtf8(bytes);
    const auto lines = SplitLines(bytes);

    for (const Setting& setting : Settings) {
        const auto line = static_cast<std::size_t>(setting.Line);
        auto value = line < lines.size() ? ParseNumberLine(lines[line]) : std::nullopt;
        if (value && !Accepts(setting, *value)) value.reset();
        if (value) {
            settings.*setting.Member = *value;
        } else if (setting.Line >= ListFileLineCount) {
            settings.*setting.Member = setting.Default;
        }
    }
    for (std::size_t slot = 0; slot < list.size(); ++slot) {
        for (std::size_t field = 0; field < SlotLines.size(); ++field) {
            const std::size_t line = FirstSlotLine + slot * SlotLines.size() + field;
            if (line >= lines.size()) return;
            list[slot].*SlotLines[field] = isUtf8 ? std::string(lines[line]) : codePage.ToUtf8(lines[line]);
        }
    }
}

ListFile::ListFile(FileStore& store, const CodePage932& codePage, const ExecutableFolder& executableFolder)
    : store_(store), codePage_(codePage), executableFolder_(executableFolder) {}

std::string ListFile::Path() const {
    return JoinFolderAndName(executableFolder_.Path(), ListFileName);
}

void ListFile::Take(const std::string& bytes, Model& model) {
    model.Settings = DefaultSettings;
    model.List = LaunchList{};
    DecodeListFile(bytes, model.Settings, model.List, codePage_);
    known_ = bytes;
}

std::optional<ListFileNotice> ListFile::Load(Model& model) {
    // Until something is read the program runs as with a new file: zeros would
    // bring the overlay up at almost any movement.
    model.Settings = DefaultSettings;
    model.List = LaunchList{};
    known_.reset();
    const std::string path = Path();

    std::optional<ListFileNotice> notice;
    if (!store_.Exists(path)) {
        // A save whose swap was cut short after the old file went: the new list
        // waits beside it. One cut short while written is no list.
        const auto interrupted = store_.InterruptedReplacement(path);
        const bool takeBack = interrupted && IsWholeListFile(*interrupted);
        const auto created = store_.ReplaceWhole(path, takeBack ? *interrupted : DefaultListFileBytes());
        if (!created.Succeeded) {
            return ListFileNotice{ListFileMessage(Text(TextId::ListFileNotCreated), path, created.Failure),
                                  Text(TextId::TitleError)};
        }
        if (takeBack) {
            notice = {ListFileMessage(Text(TextId::ListFileTakenBack), path, {}), Text(TextId::TitleMessage)};
        }
    }
    const auto read = store_.Read(path, StartUpReadPatience);
    if (read.Bytes) {
        // Beside a whole file, what a save left is an old failure: kept, it would
        // bring the old list back once the user deletes the file to start afresh.
        if (IsWholeListFile(*read.Bytes)) store_.DiscardInterruptedReplacement(path);
        Take(*read.Bytes, model);
    } else if (!read.Missing) {
        // Never written from here: OK in the options asks before it replaces what the user could not see.
        return ListFileNotice{ListFileMessage(Text(TextId::ListFileNotRead), path, read.Failure),
                              Text(TextId::TitleError)};
    }
    return notice;
}

ReloadOutcome ListFile::ReloadIfChanged(Model& model, std::chrono::milliseconds patience) {
    const auto read = store_.Read(Path(), patience);
    if (!read.Bytes) return read.Missing ? ReloadOutcome::Unchanged : ReloadOutcome::NotReadable;
    if (read.Bytes == known_) return ReloadOutcome::Unchanged;
    Take(*read.Bytes, model);
    return ReloadOutcome::Taken;
}

DiskState ListFile::CompareWithDisk() const {
    const auto read = store_.Read(Path(), std::chrono::milliseconds(0));
    if (read.Missing) return DiskState::AsLastSeen;
    if (!known_) return DiskState::NeverRead;
    // A file held at this moment is the save's to wait for or report.
    if (read.Bytes && *read.Bytes != *known_) return DiskState::ChangedSinceRead;
    return DiskState::AsLastSeen;
}

std::optional<std::string> ListFile::Save(const Model& model) {
    const std::string path = Path();
    std::string bytes = EncodeListFile(model.Settings, model.List, codePage_);
    const auto written = store_.ReplaceWhole(path, bytes);
    if (written.Succeeded) {
        // Our own save is no change to read back.
        known_ = std::move(bytes);
        return std::nullopt;
    }
    return ListFileMessage(Text(TextId::ListFileNotSaved), path, written.Failure);
}

}  // namespace yomorina
