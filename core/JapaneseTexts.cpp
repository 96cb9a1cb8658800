// The program's texts in Japanese, the language it was written in.

#include "core/Texts.h"

namespace yomorina {

using enum TextId;

constinit const TextTable JapaneseTexts{
    {ProgramName, "ヨモリナ"},
    {TitleError, "エラー"},
    {TitleConfirm, "確認"},
    {TitleMessage, "メッセージ"},

    {ListFileNotCreated, "設定ファイル filelist.txt を作成できませんでした。"},
    {ListFileTakenBack, "設定ファイル filelist.txt の保存が途中で終わっていたため、保存中だった内容から戻しました。"},
    {ListFileNotRead,
     "設定ファイル filelist.txt を読み込めませんでした。ファイルはそのままにして、初期設定で動作します。"},
    {ListFileNotSaved, "設定ファイル filelist.txt を保存できませんでした。"},

    {OptionsCaption, "ヨモリナ　オプション"},
    {OkCaption, "OK"},
    {CancelCaption, "キャンセル"},
    {MoveDistanceCaption, "ちらかし始めるまでの移動距離"},
    {LeadInCaption, "ちらかし始めるまでの激しさ"},
    {ScatterCaption, "ちらかし始めた後の激しさ"},
    {MoveUpCaption, "▲　上へ移動"},
    {MoveDownCaption, "▼　下へ移動"},
    {EditCaption, "編集"},
    {DeleteCaption, "削除"},
    {AddCaption, "追加"},
    {VersionCaption, "バージョン"},
    {ExitCaption, "終了"},
    {PatternCaption, "背景パターン"},
    {PatternScreen, "透明"},
    {PatternNegative, "ネガ"},
    {PatternLight, "明"},
    {PatternDark, "暗"},
    {HeaderName, "名前"},
    {HeaderPath, "パス"},
    {StartAtSignInCaption, "Windows の起動時に開始する"},
    {CallKeyCaption, "呼び出しキー"},
    {CallKeyHeldElsewhereNote, "（他のアプリが使用中）"},
    {CallKeyTypesACharacterNote, "（文字の入力に使用）"},
    {CallKeySystemShortcutNote, "（システムが使用）"},
    {ExitQuestion, "ヨモリナを終了しますか？"},
    {ListFullMessage, "これ以上追加できません。"},
    {BlankRowMessage, "空欄の行は編集できません。"},
    {DeleteQuestion, "{}を削除しますか？"},
    {DeleteUnnamedQuestion, "を削除しますか？"},
    {CallKeyTakenMessage, "このキーは他のプログラムが使っています。"},
    {CallKeyTypesACharacterMessage, "このキーは文字の入力に使われます。"},
    {CallKeySystemShortcutMessage, "このキーはシステムが使っています。"},
    {StartupSetFailure, "スタートアップへの登録に失敗しました。"},
    {StartupClearFailure, "スタートアップからの削除に失敗しました。"},
    {UnreadListFileReason,
     "設定ファイル filelist.txt を読み込めなかったため、その内容はこの画面に表示されていません。"},
    {ChangedListFileReason, "設定ファイル filelist.txt は、この画面を開いた後に変更されています。"},
    {ReplaceListFileQuestion, "この画面の内容で置き換えますか？"},

    {EntryEditorCaption, "ヨモリナ　ファイル選択"},
    {BrowseCaption, "参照"},
    {RecycleBinCaption, "ゴミ箱"},
    {MissingFileMessage, "ファイルが存在しません。"},
    {AllFilesFilter, "すべてのファイル (*.*)|*.*|"},

    {AboutBoxTitle, "バージョン情報"},
    {ProductTitle, "ヨモリナ　Ver {}"},
    {MakerCaption, "作者　："},
    {HomePageCaption, "ホームページ　："},
    {MailCaption, "メール　："},
    {CloseCaption, "閉じる"},
    {HelpCaption, "ヘルプ"},
    {MissingHelpMessage, "ヘルプ ファイルが見つかりません。"},

    {RecycleBinClickMessage, "ゴミ箱をクリックしても何も起こりません。"},
    {RecycleFailedMessage, "ゴミ箱への移動に失敗しました。"},
};

}  // namespace yomorina
