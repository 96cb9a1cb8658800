#include "platform/win32/base/SystemError.h"

#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

// The system's text with the code after it, as "(5)" or "(0x80004005)".
std::string Describe(DWORD error, const std::string& code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    std::string described = ToUtf8(text);
    if (!described.empty()) described += ' ';
    described += "(" + code + ")";
    return described;
}

}  // namespace

std::string DescribeSystemError(DWORD error) { return Describe(error, std::to_string(error)); }

std::string DescribeComError(HRESULT result) {
    if (HRESULT_FACILITY(result) == FACILITY_WIN32) return DescribeSystemError(HRESULT_CODE(result));
    // Eight hex digits by hand: one printf here linked the C library's whole formatter, floating point included.
    const auto bits = static_cast<DWORD>(result);
    std::string code = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) code += "0123456789ABCDEF"[(bits >> shift) & 0xF];
    return Describe(bits, code);
}

}  // namespace yomorina::win32
