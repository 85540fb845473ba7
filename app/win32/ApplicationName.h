// The application's name: the executable's file name without its extension, as message boxes
// show it in their caption ("C:\Pakete\Quorvel.exe" gives "Quorvel").
#pragma once

#include <string>
#include <string_view>

namespace quorvel::win32 {

inline std::string ApplicationNameFromPath(std::string_view modulePath) {
    const std::size_t lastSeparator = modulePath.find_last_of("\\/:");
    const std::string_view fileName =
        lastSeparator == std::string_view::npos ? modulePath : modulePath.substr(lastSeparator + 1);
    const std::size_t extension = fileName.rfind('.');
    return std::string(extension == std::string_view::npos || extension == 0
                           ? fileName
                           : fileName.substr(0, extension));
}

}  // namespace quorvel::win32
