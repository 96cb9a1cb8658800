#include "core/Texts.h"

namespace yomorina {
namespace {

const TextTable* current = &JapaneseTexts;

// "ja" of "ja-JP", "ja_JP.UTF-8" or "JA".
std::string PrimarySubtag(std::string_view tag) {
    std::string primary(tag.substr(0, tag.find_first_of("-_.")));
    for (char& c : primary) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return primary;
}

}  // namespace

const TextTable& TextsForLanguage(std::string_view tag) {
    const std::string primary = PrimarySubtag(tag);
    for (const Language& language : Languages) {
        if (language.Tag == primary) return language.Texts;
    }
    return EnglishTexts;
}

void UseTexts(const TextTable& texts) { current = &texts; }

const TextTable& CurrentTexts() { return *current; }

const Language& CurrentLanguage() {
    for (const Language& language : Languages) {
        if (&language.Texts == current) return language;
    }
    return Languages[0];
}

std::string_view Text(TextId id) { return (*current)[id]; }

std::string Text(TextId id, std::string_view value) {
    std::string text(Text(id));
    if (const auto at = text.find(TextPlaceholder); at != std::string::npos) {
        text.replace(at, TextPlaceholder.size(), value);
    }
    return text;
}

}  // namespace yomorina
