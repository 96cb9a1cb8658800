#pragma once
// Shortcut files written and read through the shell's link object, as another
// program (or an older copy of ours) would: the tests' own view of a .lnk,
// apart from the code under test. COM must be started on the calling thread.

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "platform/win32/base/Handles.h"

namespace yomorina::testing {

struct LinkFile {
    bool read = false;
    std::wstring target;
    std::wstring workingFolder;
};

inline LinkFile ReadLinkFile(const std::wstring& path) {
    LinkFile link;
    win32::ComPointer<IShellLinkW> shellLink;
    win32::ComPointer<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.put())) ||
        FAILED(shellLink->QueryInterface(IID_IPersistFile, file.put())) || FAILED(file->Load(path.c_str(), STGM_READ))) {
        return link;
    }
    wchar_t text[MAX_PATH + 1] = {};
    shellLink->GetPath(text, MAX_PATH + 1, nullptr, 0);
    link.target = text;
    text[0] = L'\0';
    shellLink->GetWorkingDirectory(text, MAX_PATH + 1);
    link.workingFolder = text;
    link.read = true;
    return link;
}

inline bool WriteLinkFile(const std::wstring& path, const std::wstring& target, const std::wstring& workingFolder) {
    win32::ComPointer<IShellLinkW> shellLink;
    win32::ComPointer<IPersistFile> file;
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shellLink.put())) &&
           SUCCEEDED(shellLink->SetPath(target.c_str())) &&
           SUCCEEDED(shellLink->SetWorkingDirectory(workingFolder.c_str())) &&
           SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, file.put())) && SUCCEEDED(file->Save(path.c_str(), TRUE));
}

// Paths as the system compares file names: without regard to case.
inline bool SamePathText(const std::wstring& first, const std::wstring& second) {
    return CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace yomorina::testing
