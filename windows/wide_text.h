#pragma once

// The description and the lesson hold UTF-8; Windows' wide functions take UTF-16.

#include <windows.h>

#include <string>
#include <string_view>

namespace trezolin::windows {

[[nodiscard]] inline std::wstring Wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

} // namespace trezolin::windows
