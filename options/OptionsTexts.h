#pragma once
// Every text the options dialog and the entry editor show, written once. The
// windows convert them at their edge; the editor's name and path labels, OK
// and Cancel say what the options dialog's header and buttons say.

#include <algorithm>
#include <array>
#include <string_view>

#include "core/Model.h"

namespace yomorina {

inline constexpr std::string_view OptionsCaption = "ヨモリナ　オプション";
inline constexpr std::string_view OkCaption = "OK";
inline constexpr std::string_view CancelCaption = "キャンセル";
inline constexpr std::string_view MoveDistanceCaption = "ちらかし始めるまでの移動距離";
inline constexpr std::string_view LeadInCaption = "ちらかし始めるまでの激しさ";
inline constexpr std::string_view ScatterCaption = "ちらかし始めた後の激しさ";
inline constexpr std::string_view MoveUpCaption = "▲　上へ移動";
inline constexpr std::string_view MoveDownCaption = "▼　下へ移動";
inline constexpr std::string_view EditCaption = "編集";
inline constexpr std::string_view DeleteCaption = "削除";
inline constexpr std::string_view AddCaption = "追加";
inline constexpr std::string_view VersionCaption = "バージョン";
inline constexpr std::string_view ExitCaption = "終了";
inline constexpr std::string_view PatternCaption = "背景パターン";
inline constexpr std::string_view PatternCaptions[BackgroundPatternCount] = {"透明", "ネガ", "明", "暗"};
inline constexpr std::string_view HeaderName = "名前";
inline constexpr std::string_view HeaderPath = "パス";
inline constexpr std::string_view ExitQuestion = "ヨモリナを終了しますか？";
inline constexpr std::string_view ListFullMessage = "これ以上追加できません。";
inline constexpr std::string_view BlankRowMessage = "空欄の行は編集できません。";
inline constexpr std::string_view DeleteQuestionSuffix = "を削除しますか？";
inline constexpr std::string_view StartAtSignInCaption = "Windows の起動時に開始する";
inline constexpr std::string_view CallKeyCaption = "呼び出しキー";
inline constexpr std::string_view CallKeyTakenMessage = "このキーは他のプログラムが使っています。";
// Beside the key box while the stored key does nothing, another program holding it.
inline constexpr std::string_view CallKeyHeldElsewhereNote = "（他のアプリが使用中）";
inline constexpr std::string_view StartupSetFailure = "スタートアップへの登録に失敗しました。";
inline constexpr std::string_view StartupClearFailure = "スタートアップからの削除に失敗しました。";
// Why OK asks before it replaces filelist.txt, then the question.
inline constexpr std::string_view UnreadListFileReason =
    "設定ファイル filelist.txt を読み込めなかったため、その内容はこの画面に表示されていません。";
inline constexpr std::string_view ChangedListFileReason = "設定ファイル filelist.txt は、この画面を開いた後に変更されています。";
inline constexpr std::string_view ReplaceListFileQuestion = "この画面の内容で置き換えますか？";

// The shortcut in the Startup folder is named as the program: "ヨモリナ.lnk".
inline constexpr auto StartupShortcutNameText = [] {
    constexpr std::string_view extension = ".lnk";
    std::array<char, ProgramName.size() + extension.size()> name{};
    std::copy(extension.begin(), extension.end(), std::copy(ProgramName.begin(), ProgramName.end(), name.begin()));
    return name;
}();
inline constexpr std::string_view StartupShortcutName{StartupShortcutNameText.data(), StartupShortcutNameText.size()};

inline constexpr std::string_view EntryEditorCaption = "ヨモリナ　ファイル選択";
inline constexpr std::string_view BrowseCaption = "参照";
inline constexpr std::string_view RecycleBinCaption = RecycleBinPath;
inline constexpr std::string_view MissingFileMessage = "ファイルが存在しません。";
inline constexpr std::string_view AllFilesFilter = "すべてのファイル (*.*)|*.*|";

}  // namespace yomorina
