// The program's texts in English, for every language without a table of its
// own. Captions are kept as short as the Japanese layout's controls allow.

#include "core/Texts.h"

namespace yomorina {

using enum TextId;

constinit const TextTable EnglishTexts{
    {ProgramName, "Yomorina"},
    {TitleError, "Error"},
    {TitleConfirm, "Confirm"},
    {TitleMessage, "Yomorina"},

    {ListFileNotCreated, "The settings file filelist.txt could not be created."},
    {ListFileTakenBack,
     "The last save of the settings file filelist.txt did not finish, so it has been restored from the copy that "
     "was being saved."},
    {ListFileNotRead,
     "The settings file filelist.txt could not be read. It has been left unchanged, and Yomorina is using the "
     "default settings."},
    {ListFileNotSaved, "The settings file filelist.txt could not be saved."},

    {OptionsCaption, "Yomorina Options"},
    {OkCaption, "OK"},
    {CancelCaption, "Cancel"},
    {MoveDistanceCaption, "Distance of a shake"},
    {LeadInCaption, "Shakes to start scattering"},
    {ScatterCaption, "Shakes for each tile"},
    {MoveUpCaption, "▲ Move up"},
    {MoveDownCaption, "▼ Move down"},
    {EditCaption, "Edit"},
    {DeleteCaption, "Delete"},
    {AddCaption, "Add"},
    {VersionCaption, "About"},
    {ExitCaption, "Exit"},
    {PatternCaption, "Background pattern"},
    {PatternScreen, "Clear"},
    {PatternNegative, "Negative"},
    {PatternLight, "Light"},
    {PatternDark, "Dark"},
    {HeaderName, "Name"},
    {HeaderPath, "Path"},
    {StartAtSignInCaption, "Start with Windows"},
    {CallKeyCaption, "Key to show all tiles"},
    {CallKeyHeldElsewhereNote, "(in use by a program)"},
    {CallKeyTypesACharacterNote, "(types a character)"},
    {CallKeySystemShortcutNote, "(a Windows shortcut)"},
    {ExitQuestion, "Exit Yomorina?"},
    {ListFullMessage, "No more entries can be added."},
    {BlankRowMessage, "A blank row cannot be edited."},
    {DeleteQuestion, "Delete \"{}\" from the list?"},
    {DeleteUnnamedQuestion, "Delete this row from the list?"},
    {CallKeyTakenMessage, "This key is in use by another program."},
    {CallKeyTypesACharacterMessage, "This key types a character on one of your keyboard layouts."},
    {CallKeySystemShortcutMessage, "This key is a Windows shortcut."},
    {StartupSetFailure, "Could not add Yomorina to the Startup folder."},
    {StartupClearFailure, "Could not remove Yomorina from the Startup folder."},
    {UnreadListFileReason, "The settings file filelist.txt could not be read, so its contents are not shown here."},
    {ChangedListFileReason, "The settings file filelist.txt has changed since this window was opened."},
    {ReplaceListFileQuestion, "Replace it with what this window shows?"},

    {EntryEditorCaption, "Yomorina Entry"},
    {BrowseCaption, "Browse..."},
    {RecycleBinCaption, "Recycle Bin"},
    {MissingFileMessage, "The file or folder does not exist."},
    {AllFilesFilter, "All Files (*.*)|*.*|"},

    {AboutBoxTitle, "About Yomorina"},
    {ProductTitle, "Yomorina Version {}"},
    {MakerCaption, "Author:"},
    {HomePageCaption, "Website:"},
    {MailCaption, "Email:"},
    {CloseCaption, "Close"},
    {HelpCaption, "Help"},
    {MissingHelpMessage, "The help file was not found."},

    {RecycleBinClickMessage, "Nothing happens when you click the Recycle Bin."},
    {RecycleFailedMessage, "Could not move the file to the Recycle Bin."},
};

}  // namespace yomorina
