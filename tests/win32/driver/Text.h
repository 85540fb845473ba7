// Text conversions of the driver: the program's narrow text is Windows-1252 (Wine's ANSI code
// page), the sources' literals are UTF-8, windows answer in UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvel::driver {

inline std::wstring Widen(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

inline std::wstring FromUtf8(std::string_view text) {
    return Widen(text, CP_UTF8);
}
inline std::wstring FromCp1252(std::string_view text) {
    return Widen(text, 1252);
}

inline std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(text.size());
    std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size,
                                                                    nullptr, 0, nullptr, nullptr)),
                       '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(),
                        static_cast<int>(narrow.size()), nullptr, nullptr);
    return narrow;
}

}  // namespace quorvel::driver
