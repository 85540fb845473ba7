// Registry values for tests. On Linux a temporary Wine prefix is made and named by WINEPREFIX
// while the object lives; on Windows (and under Wine) the process's own registry is written and
// the keys are removed again afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::test {

class TestRegistry {
public:
    TestRegistry();
    ~TestRegistry();
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;

    // A string value (REG_SZ) of `keyPath` below HKEY_CLASSES_ROOT.
    void SetClassesRootString(const std::string& keyPath, const std::string& name,
                              const std::string& value);
    // A value of a type that holds no text (REG_BINARY, REG_DWORD), given as its raw bytes,
    // below HKEY_CLASSES_ROOT.
    void SetClassesRootBytes(const std::string& keyPath, const std::string& name,
                             std::uint32_t type, const std::string& bytes);
    // A string value of `keyPath` below HKEY_LOCAL_MACHINE\Software, outside its Classes.
    void SetMachineSoftwareString(const std::string& keyPath, const std::string& name,
                                  const std::string& value);

    // Trassimo's registration: AppPath under Software\Halvenwerk\TRZX.
    void RegisterTrassimo(const std::string& appPath) {
        SetClassesRootString("Software\\Halvenwerk\\TRZX", "AppPath", appPath);
    }

private:
    struct Value {
        bool classes;  // below Software\Classes, else below Software
        std::string keyPath;
        std::string name;
        std::uint32_t type;
        std::string bytes;
    };
    void Write(Value value);

    std::vector<Value> values_;
    std::string previousPrefix_;  // Linux: WINEPREFIX before the object
    bool hadPrefix_ = false;
    std::string prefixDir_;  // Linux: the temporary prefix
};

}  // namespace quorvel::test
