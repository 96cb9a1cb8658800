#pragma once
// Every text the program shows, in one table per language, and the table the
// user reads: the one of the display language, English where there is none.
// What the program stores (filelist.txt, the recycle bin's "ゴミ箱") never
// comes from a table, so that a file made under one language reads the same
// under every other.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/Model.h"

namespace yomorina {

enum class TextId {
    // The program as a whole: the icon's tip, the main window's title, the Startup shortcut's name.
    ProgramName,
    // Message box titles.
    TitleError,
    TitleConfirm,
    TitleMessage,
    // filelist.txt at start-up and on saving; the file's path and the system's reason follow on lines of their own.
    ListFileNotCreated,
    ListFileTakenBack,
    ListFileNotRead,
    ListFileNotSaved,
    // The options dialog.
    OptionsCaption,
    OkCaption,
    CancelCaption,
    MoveDistanceCaption,
    LeadInCaption,
    ScatterCaption,
    MoveUpCaption,
    MoveDownCaption,
    EditCaption,
    DeleteCaption,
    AddCaption,
    VersionCaption,
    ExitCaption,
    PatternCaption,
    PatternScreen,
    PatternNegative,
    PatternLight,
    PatternDark,
    HeaderName,
    HeaderPath,
    StartAtSignInCaption,
    CallKeyCaption,
    // Beside the key box while the stored key does nothing, and why.
    CallKeyHeldElsewhereNote,
    CallKeyTypesACharacterNote,
    CallKeySystemShortcutNote,
    ExitQuestion,
    ListFullMessage,
    BlankRowMessage,
    DeleteQuestion,  // {} is the entry's name
    DeleteUnnamedQuestion,  // a row without a name, a blank one too
    // Why OK refuses a newly chosen key.
    CallKeyTakenMessage,
    CallKeyTypesACharacterMessage,
    CallKeySystemShortcutMessage,
    StartupSetFailure,
    StartupClearFailure,
    // Why OK asks before it replaces filelist.txt, then the question.
    UnreadListFileReason,
    ChangedListFileReason,
    ReplaceListFileQuestion,
    // The entry editor.
    EntryEditorCaption,
    BrowseCaption,
    RecycleBinCaption,  // its check box, and the recycle bin's tile for screen readers
    MissingFileMessage,
    AllFilesFilter,  // the file-open dialog's, "name|pattern|"
    // The about box and the help page.
    AboutBoxTitle,
    ProductTitle,  // {} is the version, major.minor
    MakerCaption,
    HomePageCaption,
    MailCaption,
    CloseCaption,
    HelpCaption,
    MissingHelpMessage,
    // Clicks and drops on the tiles.
    RecycleBinClickMessage,
    RecycleFailedMessage,

    Count  // keep last
};
inline constexpr std::size_t TextIdCount = static_cast<std::size_t>(TextId::Count);

// Where a text takes a value: "{}", at most once.
inline constexpr std::string_view TextPlaceholder = "{}";

class TextTable {
public:
    struct Entry {
        TextId id;
        std::string_view text;
    };
    // An id the entries leave out has an empty text.
    constexpr TextTable(std::initializer_list<Entry> entries) {
        for (const Entry& entry : entries) texts_[static_cast<std::size_t>(entry.id)] = entry.text;
    }
    constexpr std::string_view operator[](TextId id) const { return texts_[static_cast<std::size_t>(id)]; }

private:
    std::array<std::string_view, TextIdCount> texts_{};
};

struct Language {
    std::string_view Tag;  // the primary language subtag of a language tag: "ja" of "ja-JP"
    const TextTable& Texts;
    std::string_view HelpPage;    // beside the program, shipped with readme-<Tag>.txt
    std::string_view DialogFace;  // empty: the system's own UI font
};

// Every language the program speaks: a table in a file of its own
// (JapaneseTexts.cpp), its help page and readme in resources/, and its two
// lines here.
extern const TextTable JapaneseTexts;
extern const TextTable EnglishTexts;
inline constexpr Language Languages[] = {
    {"ja", JapaneseTexts, "help.html", "ＭＳ Ｐゴシック"},
    {"en", EnglishTexts, "help-en.html", ""},
};

// The table for a language tag as the system gives it ("ja-JP", "ja", "en_US"),
// whatever its region or script; English for a language without one.
const TextTable& TextsForLanguage(std::string_view tag);

// What every window, box and tip shows from now on: chosen once at start-up,
// before the first of them. Until then the program speaks Japanese, the
// language it spoke first.
void UseTexts(const TextTable& texts);
const TextTable& CurrentTexts();
// The row of the texts in use.
const Language& CurrentLanguage();

std::string_view Text(TextId id);
// The text with its placeholder replaced by the value.
std::string Text(TextId id, std::string_view value);

// The background patterns' option buttons, in the order BackgroundPattern numbers them.
inline constexpr std::array<TextId, BackgroundPatternCount> PatternCaptions{
    TextId::PatternScreen, TextId::PatternNegative, TextId::PatternLight, TextId::PatternDark};

}  // namespace yomorina
