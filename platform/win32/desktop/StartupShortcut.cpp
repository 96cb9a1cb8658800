#include "platform/win32/desktop/StartupShortcut.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/win32/base/Handles.h"
#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/SystemError.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/files/ExecutableFolder.h"

namespace yomorina::win32 {
namespace {

struct CoTaskMemory {
    void operator()(wchar_t* memory) const noexcept { late::CoTaskMemFree(memory); }
};

// The most a path can hold, in the "\\?\" form that lifts MAX_PATH.
constexpr DWORD LongestPath = 32768;

// "\\?\C:\x" and "\\?\UNC\server\x" name what "C:\x" and "\\server\x" do.
std::wstring WithoutLongPathPrefix(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
}

// Past MAX_PATH the system finds a file by name only in the "\\?\" form.
std::wstring WithLongPathPrefix(const std::wstring& full) {
    if (full.size() < MAX_PATH || full.starts_with(L"\\\\?\\")) return full;
    return full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

// The path made full (".." and "." gone) and with its long names where it exists.
std::wstring Resolved(const std::wstring& given) {
    const std::wstring path = WithoutLongPathPrefix(given);
    std::wstring full =
        FilledText([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
    if (full.empty()) return path;
    const std::wstring lookedUp = WithLongPathPrefix(full);
    std::wstring longer =
        FilledText([&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(lookedUp.c_str(), buffer, size); });
    return longer.empty() ? full : WithoutLongPathPrefix(longer);
}

// The shell's link object keeps a target of fewer than MAX_PATH characters
// (Wine's keeps none longer, and the box would never show ticked): deeper,
// the short form names the same exe, where the volume has short names.
std::wstring LinkTarget(const std::wstring& program) {
    if (program.size() < MAX_PATH) return program;
    const std::wstring prefixed = WithLongPathPrefix(program);
    const std::wstring shortForm =
        FilledText([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(prefixed.c_str(), buffer, size); });
    return shortForm.empty() ? program : WithoutLongPathPrefix(shortForm);
}

// A new shell link object; OLE is started first if nothing has started it yet.
HRESULT MakeShellLink(ComPointer<IShellLinkW>& link) {
    if (!EnsureOle()) return CO_E_NOTINITIALIZED;
    return late::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put());
}

std::string Failure(const std::wstring& shortcut, const std::string& described) {
    return shortcut.empty() ? described : ToUtf8(shortcut) + "\r\n" + described;
}

// Task Manager switches a Startup-folder entry off, without touching the
// shortcut, in a value named after the shortcut's file: the first byte odd
// while off (03, then the time it went off), even while on (02 and zeros).
constexpr wchar_t TaskManagerSwitchKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

UniqueRegistryKey OpenTaskManagerSwitches(REGSAM access, LSTATUS& status) {
    HKEY key = nullptr;
    status = RegOpenKeyExW(HKEY_CURRENT_USER, TaskManagerSwitchKey, 0, access, &key);
    return UniqueRegistryKey(status == ERROR_SUCCESS ? key : nullptr);
}

bool SwitchedOffInTaskManager(const std::wstring& name) {
    LSTATUS status = ERROR_SUCCESS;
    const UniqueRegistryKey key = OpenTaskManagerSwitches(KEY_QUERY_VALUE, status);
    if (!key) return false;
    BYTE value[12] = {};
    DWORD type = 0, size = sizeof(value);
    status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, value, &size);
    return status == ERROR_SUCCESS && type == REG_BINARY && size > 0 && (value[0] & 1) != 0;
}

// Back on as Task Manager turns it on; where it was never switched off, nothing is written.
std::optional<std::string> SwitchOnInTaskManager(const std::wstring& name) {
    if (!SwitchedOffInTaskManager(name)) return std::nullopt;
    LSTATUS status = ERROR_SUCCESS;
    const UniqueRegistryKey key = OpenTaskManagerSwitches(KEY_SET_VALUE, status);
    if (key) {
        const BYTE on[12] = {0x02};
        status = RegSetValueExW(key.get(), name.c_str(), 0, REG_BINARY, on, sizeof(on));
    }
    if (status == ERROR_SUCCESS) return std::nullopt;
    return Failure(std::wstring(L"HKEY_CURRENT_USER\\") + TaskManagerSwitchKey, DescribeSystemError(status));
}

}  // namespace

std::wstring ShortcutName(const TextTable& texts) { return ToWide(texts[TextId::ProgramName]) + L".lnk"; }

std::vector<std::wstring> ShortcutNames() {
    std::vector<std::wstring> names{ShortcutName(CurrentTexts())};
    for (const Language& language : Languages) {
        std::wstring name = ShortcutName(language.Texts);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
    return names;
}

bool StartsProgram(const std::wstring& shortcut, const std::wstring& program) {
    const auto contents = ReadShortcut(shortcut);
    return contents && IsSameFile(contents->target, program);
}

bool IsSameFile(const std::wstring& first, const std::wstring& second) {
    if (first.empty() || second.empty()) return false;
    const std::wstring a = Resolved(first), b = Resolved(second);
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::optional<ShortcutContents> ReadShortcut(const std::wstring& shortcut) {
    // No shortcut, no OLE: opening the options dialog needs none for this.
    if (GetFileAttributesW(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    if (FAILED(MakeShellLink(link)) || FAILED(link->QueryInterface(IID_IPersistFile, file.put())) ||
        FAILED(file->Load(shortcut.c_str(), STGM_READ))) {
        return std::nullopt;
    }
    // A program deep in folders has a path longer than MAX_PATH: cut there, it
    // would name no file, and the shortcut to it would never count as ours.
    std::wstring text(LongestPath, L'\0');
    const auto filled = [&] { return std::wstring(text.c_str()); };
    ShortcutContents contents;
    if (link->GetPath(text.data(), LongestPath, nullptr, 0) == S_OK) contents.target = filled();
    text[0] = L'\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text.data(), LongestPath))) contents.workingFolder = filled();
    return contents;
}

StartupShortcut::StartupShortcut(std::wstring folder, std::wstring program)
    : folder_(std::move(folder)), program_(program.empty() ? ExecutablePath() : std::move(program)) {}

HRESULT StartupShortcut::FindFolder(bool createFolder, std::wstring& folder) const {
    folder = folder_;
    if (folder.empty()) {
        wchar_t* found = nullptr;
        const HRESULT result = SHGetKnownFolderPath(FOLDERID_Startup, createFolder ? KF_FLAG_CREATE : KF_FLAG_DEFAULT, nullptr, &found);
        const std::unique_ptr<wchar_t, CoTaskMemory> owned(found);
        if (FAILED(result)) return result;
        if (!found) return E_FAIL;
        folder = found;
    }
    if (folder.back() != L'\\') folder += L'\\';
    return S_OK;
}

bool StartupShortcut::IsSet() const {
    std::wstring folder;
    if (FAILED(FindFolder(false, folder))) return false;
    for (const std::wstring& name : ShortcutNames()) {
        if (StartsProgram(folder + name, program_)) return !SwitchedOffInTaskManager(name);
    }
    return false;
}

std::optional<std::string> StartupShortcut::Set(bool on) {
    std::wstring folder;
    const std::vector<std::wstring> names = ShortcutNames();
    if (!on) {
        if (FAILED(FindFolder(false, folder))) return std::nullopt;
        for (const std::wstring& name : names) {
            // Only a shortcut that starts this copy is ours to remove.
            const std::wstring path = folder + name;
            if (!StartsProgram(path, program_) || DeleteFileW(path.c_str())) continue;
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
                return Failure(path, DescribeSystemError(error));
            }
        }
        return std::nullopt;
    }

    if (const HRESULT found = FindFolder(true, folder); FAILED(found)) return Failure({}, DescribeComError(found));
    // This copy's shortcut keeps its name; else one a moved copy left is pointed here; else one is made in the
    // language in use.
    const auto named = [&](auto&& test) {
        return std::find_if(names.begin(), names.end(), [&](const std::wstring& name) { return test(folder + name); });
    };
    auto name = named([&](const std::wstring& path) { return StartsProgram(path, program_); });
    if (name == names.end()) name = named([](const std::wstring& path) { return ReadShortcut(path).has_value(); });
    if (name == names.end()) name = names.begin();
    const std::wstring path = folder + *name;

    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    HRESULT result = MakeShellLink(link);
    if (SUCCEEDED(result)) result = link->SetPath(LinkTarget(program_).c_str());
    // Started from the Startup folder, the program runs in its own folder, as when it is started by hand.
    if (SUCCEEDED(result)) result = link->SetWorkingDirectory(FolderOf(program_).c_str());
    if (SUCCEEDED(result)) result = link->QueryInterface(IID_IPersistFile, file.put());
    if (SUCCEEDED(result)) result = file->Save(path.c_str(), TRUE);
    if (FAILED(result)) return Failure(path, DescribeComError(result));
    return SwitchOnInTaskManager(*name);
}

}  // namespace yomorina::win32
