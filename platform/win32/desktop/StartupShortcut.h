#pragma once
// The program's shortcut in the Startup folder, made and read through the
// shell's link object (IShellLinkW, saved and loaded through IPersistFile).
// It is named as the program in the language the user read when it was made,
// and found under the name of any language the program speaks, so that a user
// who changes language keeps the setting.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/Texts.h"
#include "platform/StartupShortcut.h"

namespace yomorina::win32 {

class StartupShortcut final : public yomorina::StartupShortcut {
public:
    // The shortcut lives in this folder and starts this program; empty for the
    // current user's Startup folder (FOLDERID_Startup) and this very exe. The
    // tests give a folder of their own, and a program where they need one.
    explicit StartupShortcut(std::wstring folder = {}, std::wstring program = {});

    bool IsSet() const override;
    std::optional<std::string> Set(bool on) override;

private:
    // The folder the shortcut lives in, ending in "\"; the Startup folder is made if asked.
    HRESULT FindFolder(bool createFolder, std::wstring& folder) const;

    std::wstring folder_;
    std::wstring program_;
};

// The shortcut's file name in a language: the program's name there and ".lnk".
std::wstring ShortcutName(const TextTable& texts);
// Every name the shortcut may have: the language in use's first.
std::vector<std::wstring> ShortcutNames();

struct ShortcutContents {
    std::wstring target;
    std::wstring workingFolder;
};
// What a shortcut file starts and where; empty if it cannot be read.
std::optional<ShortcutContents> ReadShortcut(const std::wstring& shortcut);
// Whether the shortcut file starts this program.
bool StartsProgram(const std::wstring& shortcut, const std::wstring& program);
// Whether two paths name the same file: made full and long, compared without case.
bool IsSameFile(const std::wstring& first, const std::wstring& second);

}  // namespace yomorina::win32
