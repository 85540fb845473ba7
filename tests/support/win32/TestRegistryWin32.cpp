#include <windows.h>

#include <stdexcept>

#include "tests/support/TestRegistry.h"

namespace quorvel::test {

namespace {

// The first component of a key path: what the destructor removes again.
std::string TopKey(const std::string& keyPath) {
    return keyPath.substr(0, keyPath.find('\\'));
}

}  // namespace

TestRegistry::TestRegistry() = default;

TestRegistry::~TestRegistry() {
    for (const Value& v : values_) {
        const std::string key =
            (v.classes ? "Software\\Classes\\" : "Software\\") + TopKey(v.keyPath);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    }
}

void TestRegistry::SetClassesRootString(const std::string& keyPath, const std::string& name,
                                        const std::string& value) {
    Write({true, keyPath, name, REG_SZ, value + '\0'});
}

void TestRegistry::SetClassesRootBytes(const std::string& keyPath, const std::string& name,
                                       std::uint32_t type, const std::string& bytes) {
    Write({true, keyPath, name, type, bytes});
}

void TestRegistry::SetMachineSoftwareString(const std::string& keyPath, const std::string& name,
                                            const std::string& value) {
    Write({false, keyPath, name, REG_SZ, value + '\0'});
}

// Classes values are written below HKEY_LOCAL_MACHINE\Software\Classes, the machine part of
// HKEY_CLASSES_ROOT, so that removing them is certain.
void TestRegistry::Write(Value value) {
    const std::string key = (value.classes ? "Software\\Classes\\" : "Software\\") + value.keyPath;
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("RegCreateKeyExA failed for " + key);
    }
    const LONG result = RegSetValueExA(opened, value.name.c_str(), 0, value.type,
                                       reinterpret_cast<const BYTE*>(value.bytes.data()),
                                       static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS) {
        throw std::runtime_error("RegSetValueExA failed for " + key);
    }
    values_.push_back(std::move(value));
}

}  // namespace quorvel::test
