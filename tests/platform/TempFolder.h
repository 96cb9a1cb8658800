#pragma once
// A fresh folder under the system's temporary folder, removed with its files afterwards.

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/win32/base/WideText.h"

namespace yomorina::testing {

class TempFolder {
public:
    explicit TempFolder(const std::wstring& label = L"yomorina") {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static int counter = 0;
        path_ = std::wstring(base) + label + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        std::wstring from = path_;
        from.push_back(L'\0');
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationW(&operation);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Wide() const { return path_; }
    std::string Utf8() const { return win32::ToUtf8(path_); }
    std::wstring Child(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::string ChildUtf8(const std::wstring& name) const { return win32::ToUtf8(Child(name)); }

    // Wine 8's CreateSymbolicLinkW makes nothing, but Wine runs Unix programs
    // and follows a Unix link. The target must exist: Wine sees no dangling
    // link. False where there is no ln to run.
    bool MadeUnixLink(const std::wstring& target, const std::wstring& link) const {
        std::wstring command = L"Z:\\bin\\ln -s " + target + L" " + link;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(L"Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, path_.c_str(),
                            &startup, &started)) {
            return false;
        }
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        // The handle Wine gives back may end before the Unix program has run.
        for (int wait = 0; wait < 500; ++wait) {
            if (GetFileAttributesW(Child(link).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
            Sleep(20);
        }
        return false;
    }

private:
    std::wstring path_;
};

}  // namespace yomorina::testing
