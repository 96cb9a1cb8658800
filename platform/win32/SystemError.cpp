#include "platform/win32/SystemError.h"

#include "platform/win32/WideText.h"

namespace yomorina::win32 {

std::string DescribeSystemError(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    std::string described = ToUtf8(text);
    if (!described.empty()) described += ' ';
    described += "(" + std::to_string(error) + ")";
    return described;
}

}  // namespace yomorina::win32
