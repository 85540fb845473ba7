// The text format in which Wine keeps a prefix's registry (system.reg, user.reg), read into
// its keys and values. Pure text in, records out: no file or environment is touched.
//
//   WINE REGISTRY Version 2
//   ;; All keys relative to REGISTRY\\Machine
//   #arch=win64
//
//   [Software\\Classes\\Software\\Halvenwerk\\TRZX] 1796688635
//   #time=1dd86c148d43df6
//   @="Standard"
//   "AppPath"="C:\\Sim\\Start.exe"
//   "Bin"=hex:01,02,\   (a backslash at the end continues the bytes)
//     03
//   "Count"=dword:12345678
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform::posix {

// Value types, with the values of the Win32 constants.
inline constexpr std::uint32_t kRegNone = 0;      // REG_NONE
inline constexpr std::uint32_t kRegSz = 1;        // REG_SZ
inline constexpr std::uint32_t kRegExpandSz = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t kRegBinary = 3;    // REG_BINARY
inline constexpr std::uint32_t kRegDword = 4;     // REG_DWORD
inline constexpr std::uint32_t kRegMultiSz = 7;   // REG_MULTI_SZ

// The three types whose bytes are UTF-16 text.
constexpr bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

struct RegistryValueRecord {
    std::u16string name;  // empty for the key's default value ("@")
    std::uint32_t type = kRegNone;
    std::string bytes;  // as stored: text types hold UTF-16LE with the terminating zero
};

struct RegistryKeyRecord {
    std::vector<std::u16string> path;  // the key's names below the file's root, outermost first
    std::vector<RegistryValueRecord> values;
    bool isLink = false;  // "#link": a symbolic link whose target is its value
};

struct RegistryTextProblem {
    std::size_t line;
    std::string what;
};

struct RegistryText {
    bool hasHeader = false;               // the first line is "WINE REGISTRY Version 2"
    std::string arch;                     // from "#arch=" ("win32", "win64"); empty if none
    std::vector<RegistryKeyRecord> keys;  // in file order; a key may appear more than once
    // Lines that could not be read and were passed over, as Wine itself passes over them.
    std::vector<RegistryTextProblem> problems;
};

// Reads the whole text. Without the header nothing is read (Wine refuses such a file).
RegistryText ParseWineRegistry(std::string_view text);

}  // namespace quorvel::platform::posix
