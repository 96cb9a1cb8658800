// A stand-in for a launched program: writes its command line and then the
// arguments it was given, one per line in UTF-8, to a file of its own in the folder named by
// YOMORINA_RECORD_FOLDER.

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

std::wstring Variable(const wchar_t* name) {
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(name, value, 32768);
    return length > 0 && length < 32768 ? std::wstring(value, length) : std::wstring();
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring folder = Variable(L"YOMORINA_RECORD_FOLDER");
    if (folder.empty()) return 3;

    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string record = "> " + Utf8(GetCommandLineW()) + "\n";
    for (int i = 1; arguments && i < count; ++i) record += Utf8(arguments[i]) + "\n";
    LocalFree(arguments);

    // Named by when the process was made (eighteen digits from 1918 on), so that the names sort in that order.
    FILETIME made{}, unused{};
    GetProcessTimes(GetCurrentProcess(), &made, &unused, &unused, &unused);
    const auto stamp = (static_cast<unsigned long long>(made.dwHighDateTime) << 32) | made.dwLowDateTime;
    // Written under another name first, so a reader never sees half a record.
    const std::wstring name =
        folder + L"\\arguments-" + std::to_wstring(stamp) + L"-" + std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW((name + L".part").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 4;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW((name + L".part").c_str(), (name + L".txt").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
