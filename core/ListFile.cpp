#include "core/ListFile.h"

#include <charconv>
#include <vector>

#include "core/PathText.h"

namespace yomorina {
namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// Lines in file order; a final line without its line end still counts.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size() && lines.size() < ListFileLineCount) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size() && lines.size() < ListFileLineCount) lines.push_back(bytes.substr(start));
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

}  // namespace

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
        ScatterSettings defaults;
        defaults.MoveDistance = 100;
        defaults.LeadInIntensity = 5;
        defaults.ScatterIntensity = 1;
        defaults.BackgroundPattern = 0;
        std::string text;
        for (const auto value : {defaults.MoveDistance, defaults.LeadInIntensity, defaults.ScatterIntensity}) {
            text += FormatNumberLine(value);
            text += LineEnd;
        }
        for (int line = 0; line < 2 * LaunchSlotCount; ++line) text += LineEnd;
        text += FormatNumberLine(defaults.BackgroundPattern);
        text += LineEnd;
        return text;
    }();
    return bytes;
}

std::string EncodeListFile(const ScatterSettings& settings, const LaunchList& list, const CodePage932& codePage) {
    std::vector<std::string> texts;
    texts.reserve(2 * LaunchSlotCount);
    bool fitsCodePage = true;
    for (const auto& entry : list) {
        for (const std::string* text : {&entry.Name, &entry.Path}) {
            auto encoded = codePage.FromUtf8(*text);
            if (!encoded) {
                fitsCodePage = false;
                break;
            }
            texts.push_back(std::move(*encoded));
        }
        if (!fitsCodePage) break;
    }

    std::string file;
    if (!fitsCodePage) {
        // A "?" in place of a character would silently point the entry elsewhere.
        texts.clear();
        for (const auto& entry : list) {
            texts.push_back(entry.Name);
            texts.push_back(entry.Path);
        }
        file += Utf8ByteOrderMark;
    }
    for (const auto value : {settings.MoveDistance, settings.LeadInIntensity, settings.ScatterIntensity}) {
        file += FormatNumberLine(value);
        file += LineEnd;
    }
    for (const auto& text : texts) {
        file += text;
        file += LineEnd;
    }
    file += FormatNumberLine(settings.BackgroundPattern);
    file += LineEnd;
    return file;
}

void DecodeListFile(std::string_view bytes, ScatterSettings& settings, LaunchList& list, const CodePage932& codePage) {
    const bool isUtf8 = bytes.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark;
    if (isUtf8) bytes.remove_prefix(Utf8ByteOrderMark.size());
    const auto lines = SplitLines(bytes);

    auto readNumber = [&](std::size_t index, std::int16_t& target) {
        if (index >= lines.size()) return;
        if (const auto value = ParseNumberLine(lines[index])) target = *value;
    };
    auto readText = [&](std::size_t index, std::string& target) {
        if (index >= lines.size()) return;
        target = isUtf8 ? std::string(lines[index]) : codePage.ToUtf8(lines[index]);
    };

    readNumber(0, settings.MoveDistance);
    readNumber(1, settings.LeadInIntensity);
    readNumber(2, settings.ScatterIntensity);
    for (std::size_t slot = 0; slot < list.size(); ++slot) {
        readText(3 + 2 * slot, list[slot].Name);
        readText(4 + 2 * slot, list[slot].Path);
    }
    readNumber(63, settings.BackgroundPattern);
}

ListFile::ListFile(FileStore& store, const CodePage932& codePage, const ProcessInfo& process)
    : store_(store), codePage_(codePage), process_(process) {}

std::string ListFile::ListFilePath() const {
    return JoinFolderAndName(process_.ExecutableFolder(), ListFileName);
}

std::optional<std::string> ListFile::LoadListFile(Model& model) {
    model.Settings.BackgroundPattern = 0;
    model.List = LaunchList{};
    const std::string path = ListFilePath();

    if (!store_.Exists(path)) {
        const auto created = store_.ReplaceWhole(path, DefaultListFileBytes());
        if (!created.Succeeded) {
            // Run on with the settings a new file would have held.
            DecodeListFile(DefaultListFileBytes(), model.Settings, model.List, codePage_);
            return ListFileMessage("設定ファイル filelist.txt を作成できませんでした。", path, created.Failure);
        }
    }
    if (const auto bytes = store_.ReadAll(path)) DecodeListFile(*bytes, model.Settings, model.List, codePage_);
    return std::nullopt;
}

std::optional<std::string> ListFile::SaveListFile(const Model& model) {
    const std::string path = ListFilePath();
    const auto written = store_.ReplaceWhole(path, EncodeListFile(model.Settings, model.List, codePage_));
    if (written.Succeeded) return std::nullopt;
    return ListFileMessage("設定ファイル filelist.txt を保存できませんでした。", path, written.Failure);
}

}  // namespace yomorina
