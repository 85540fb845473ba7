#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/Cp1252.h"
#include "tests/support/TestRegistry.h"

namespace quorvel::test {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kStringType = 1;  // REG_SZ

// A narrow value written as a hex(N) value of its raw bytes, which every type allows.
std::string HexBytes(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        hex += (i == 0 ? "" : ",");
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

// A narrow string as Wine writes a REG_SZ value: quoted, with \\ and \" escaped and every
// character outside ASCII as \x and its UTF-16 code in hex.
std::string QuotedString(const std::string& cp1252) {
    static const char kDigits[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : cp1252) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            const char32_t code = platform::Cp1252ToCodePoint(byte);
            quoted += "\\x";
            for (int shift = 12; shift >= 0; shift -= 4) {
                quoted += kDigits[(code >> shift) & 0xF];
            }
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// A key path as Wine writes it in a section header: each backslash doubled, "]" escaped and
// every character outside ASCII as \x and its UTF-16 code in hex, as in QuotedString.
std::string EscapeKey(const std::string& keyPath) {
    std::string escaped;
    for (const char c : keyPath) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == ']') {
            escaped += "\\]";
        } else {
            const std::string quoted = QuotedString(std::string(1, c));
            escaped += quoted.substr(1, quoted.size() - 2);
        }
    }
    return escaped;
}

}  // namespace

TestRegistry::TestRegistry() {
    const char* previous = std::getenv("WINEPREFIX");
    hadPrefix_ = previous != nullptr;
    previousPrefix_ = hadPrefix_ ? previous : "";
    std::string pattern = "/tmp/quorvel-prefix-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    prefixDir_ = pattern;
    fs::create_directories(prefixDir_ + "/drive_c");
    fs::create_directories(prefixDir_ + "/dosdevices");
    fs::create_directory_symlink("../drive_c", prefixDir_ + "/dosdevices/c:");
    fs::create_directory_symlink("/", prefixDir_ + "/dosdevices/z:");
    setenv("WINEPREFIX", prefixDir_.c_str(), 1);
    Write({true, "", "", 0, ""});  // empty files, as in a fresh prefix
}

TestRegistry::~TestRegistry() {
    if (hadPrefix_) {
        setenv("WINEPREFIX", previousPrefix_.c_str(), 1);
    } else {
        unsetenv("WINEPREFIX");
    }
    std::error_code ignored;
    fs::remove_all(prefixDir_, ignored);
}

void TestRegistry::SetClassesRootString(const std::string& keyPath, const std::string& name,
                                        const std::string& value) {
    Write({true, keyPath, name, kStringType, value});
}

void TestRegistry::SetClassesRootBytes(const std::string& keyPath, const std::string& name,
                                       std::uint32_t type, const std::string& bytes) {
    Write({true, keyPath, name, type, bytes});
}

void TestRegistry::SetMachineSoftwareString(const std::string& keyPath, const std::string& name,
                                            const std::string& value) {
    Write({false, keyPath, name, kStringType, value});
}

// Rewrites system.reg with every value so far, and an empty user.reg.
void TestRegistry::Write(Value value) {
    if (!value.keyPath.empty()) {
        values_.push_back(std::move(value));
    }
    std::ofstream system(prefixDir_ + "/system.reg", std::ios::binary | std::ios::trunc);
    system << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
    for (const Value& v : values_) {
        const std::string key = (v.classes ? "Software\\Classes\\" : "Software\\") + v.keyPath;
        system << "[" << EscapeKey(key) << "] 1700000000\n#time=1d9f1f0a0b0c0d0\n";
        system << QuotedString(v.name) << "=";
        if (v.type == kStringType) {
            system << QuotedString(v.bytes) << "\n\n";
        } else {
            system << "hex(" << std::hex << v.type << std::dec << "):" << HexBytes(v.bytes)
                   << "\n\n";
        }
    }
    std::ofstream user(prefixDir_ + "/user.reg", std::ios::binary | std::ios::trunc);
    user << "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
            "#arch=win64\n\n";
}

}  // namespace quorvel::test
