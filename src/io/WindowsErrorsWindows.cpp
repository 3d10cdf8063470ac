#include "io/WindowsErrors.h"

#include <windows.h>

#include <string_view>

#include "io/WideText.h"

namespace gw {

std::string WindowsErrorText(unsigned long code)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring_view words(buffer != nullptr ? buffer : L"", length);
    while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' ' ||
                              words.back() == L'.'))
        words.remove_suffix(1);
    std::string text = Utf8FromWide(words);
    if (buffer != nullptr)
        LocalFree(buffer);
    return text.empty() ? "error " + std::to_string(code) : text;
}

} // namespace gw
