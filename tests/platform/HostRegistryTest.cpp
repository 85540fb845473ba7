// The registry calls of the host under test, through the host interface only. On Linux the
// values live in a temporary Wine prefix, under Wine in the process's own registry.
#include <gtest/gtest.h>

#include "tests/support/ErrorCodePrinting.h"

#include <string>

#include "platform/Registry.h"
#include "tests/support/TestRegistry.h"

namespace quorvel::platform {
namespace {

constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

// One open key, closed by the test when it is done with it.
struct OpenResult {
    ErrorCode error;
    RegistryHandle handle;
};

OpenResult Open(RegistryHandle parent, const std::string& subKey) {
    RegistryHandle handle = 0;
    const ErrorCode error = OpenRegistryKey(parent, subKey, kKeyRead, &handle);
    return {error, handle};
}

// The value's bytes read with a buffer of `bufferSize` bytes; `error` and `size` as returned.
struct QueryResult {
    ErrorCode error;
    std::uint32_t size;
    std::string bytes;
};

QueryResult Query(RegistryHandle key, const std::string& name, std::uint32_t bufferSize = 260) {
    std::string buffer(bufferSize, '\x7E');
    std::uint32_t size = bufferSize;
    const ErrorCode error =
        QueryRegistryValue(key, name, reinterpret_cast<unsigned char*>(buffer.data()), &size);
    return {error, size, error == ErrorCode::kSuccess ? buffer.substr(0, size) : std::string()};
}

// The value `name` of `keyPath` below HKEY_CLASSES_ROOT, the key opened in one step.
QueryResult QueryClassesRoot(const std::string& keyPath, const std::string& name,
                             std::uint32_t bufferSize = 260) {
    const OpenResult key = Open(kClassesRoot, keyPath);
    if (key.error != ErrorCode::kSuccess) {
        return {key.error, 0, ""};
    }
    QueryResult result = Query(key.handle, name, bufferSize);
    EXPECT_EQ(CloseRegistryKey(key.handle), ErrorCode::kSuccess);
    return result;
}

TEST(HostRegistry, FindsTheValueOpeningOneLevelAtATime) {
    test::TestRegistry registry;
    registry.RegisterTrassimo("C:\\Programme\\Sim\\Start.exe");

    const OpenResult software = Open(kClassesRoot, "Software");
    ASSERT_EQ(software.error, ErrorCode::kSuccess);
    const OpenResult maker = Open(software.handle, "Halvenwerk");
    ASSERT_EQ(maker.error, ErrorCode::kSuccess);
    EXPECT_EQ(CloseRegistryKey(software.handle), ErrorCode::kSuccess);
    const OpenResult product = Open(maker.handle, "TRZX");
    ASSERT_EQ(product.error, ErrorCode::kSuccess);
    EXPECT_EQ(CloseRegistryKey(maker.handle), ErrorCode::kSuccess);

    const QueryResult value = Query(product.handle, "AppPath");
    EXPECT_EQ(CloseRegistryKey(product.handle), ErrorCode::kSuccess);
    EXPECT_EQ(value.error, ErrorCode::kSuccess);
    EXPECT_EQ(value.bytes, std::string("C:\\Programme\\Sim\\Start.exe") + '\0');
    EXPECT_EQ(value.size, 27u);
}

TEST(HostRegistry, RegistryKeyOwnerOpensAndQueries) {
    test::TestRegistry registry;
    registry.RegisterTrassimo("D:\\Start.exe");

    Result<RegistryKey> software = OpenRegistryKeyForReading(kClassesRoot, "Software");
    ASSERT_TRUE(software);
    Result<RegistryKey> maker = OpenRegistryKeyForReading(software->Get(), "Halvenwerk");
    ASSERT_TRUE(maker);
    RegistryKey product;
    {
        Result<RegistryKey> opened = OpenRegistryKeyForReading(maker->Get(), "TRZX");
        ASSERT_TRUE(opened);
        product = std::move(*opened);  // the owner moves; the key stays open once
    }
    unsigned char data[260];
    std::uint32_t size = sizeof data;
    ASSERT_EQ(QueryRegistryValue(product.Get(), "AppPath", data, &size), ErrorCode::kSuccess);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size),
              std::string("D:\\Start.exe") + '\0');
    EXPECT_EQ(QueryRegistryValue(product.Get(), "Missing", data, &size), ErrorCode::kFileNotFound);
    const Result<RegistryKey> missing = OpenRegistryKeyForReading(software->Get(), "Missing");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.Error(), ErrorCode::kFileNotFound);
}

TEST(HostRegistry, MissingKeysAndValuesAreNotFound) {
    test::TestRegistry registry;
    registry.RegisterTrassimo("C:\\Sim\\Start.exe");
    // Present only below HKEY_LOCAL_MACHINE\Software, not below its Classes.
    registry.SetMachineSoftwareString("Halvenwerk\\Outside", "AppPath", "C:\\Outside\\Start.exe");

    EXPECT_EQ(QueryClassesRoot("Software\\Halvenwerk\\Outside", "AppPath").error,
              ErrorCode::kFileNotFound);
    EXPECT_EQ(QueryClassesRoot("Software\\Halvenwerk\\Missing", "AppPath").error,
              ErrorCode::kFileNotFound);
    EXPECT_EQ(QueryClassesRoot("Software\\Halvenwerk\\TRZX\\Deeper", "AppPath").error,
              ErrorCode::kFileNotFound);
    EXPECT_EQ(QueryClassesRoot("Software\\Halvenwerk\\TRZX", "Missing").error,
              ErrorCode::kFileNotFound);
    EXPECT_EQ(QueryClassesRoot("Software\\Halvenwerk\\TRZX", "AppPat").error,
              ErrorCode::kFileNotFound);
}

TEST(HostRegistry, ValueMustFitTheBufferWithItsTerminatingZero) {
    test::TestRegistry registry;
    const std::string fits = "C:\\" + std::string(259 - 3 - 4, 'a') + ".exe";  // 259 + zero
    const std::string tooLong = fits + "x";
    registry.SetClassesRootString("Software\\Halvenwerk\\TRZX", "Fits", fits);
    registry.SetClassesRootString("Software\\Halvenwerk\\TRZX", "TooLong", tooLong);

    const QueryResult fitting = QueryClassesRoot("Software\\Halvenwerk\\TRZX", "Fits");
    EXPECT_EQ(fitting.error, ErrorCode::kSuccess);
    EXPECT_EQ(fitting.size, 260u);
    EXPECT_EQ(fitting.bytes, fits + '\0');

    const QueryResult failing = QueryClassesRoot("Software\\Halvenwerk\\TRZX", "TooLong");
    EXPECT_EQ(failing.error, ErrorCode::kMoreData);
    EXPECT_EQ(failing.size, 261u);  // the size the value needs
    EXPECT_EQ(QueryClassesRoot("Software\\Halvenwerk\\TRZX", "TooLong", 261).error,
              ErrorCode::kSuccess);
}

TEST(HostRegistry, NullDataAsksForTheSize) {
    test::TestRegistry registry;
    registry.RegisterTrassimo("C:\\Sim\\Start.exe");
    const OpenResult key = Open(kClassesRoot, "Software\\Halvenwerk\\TRZX");
    ASSERT_EQ(key.error, ErrorCode::kSuccess);
    std::uint32_t size = 0;
    EXPECT_EQ(QueryRegistryValue(key.handle, "AppPath", nullptr, &size), ErrorCode::kSuccess);
    EXPECT_EQ(size, 17u);
    EXPECT_EQ(CloseRegistryKey(key.handle), ErrorCode::kSuccess);
}

TEST(HostRegistry, ValuesArriveAsTheirBytes) {
    test::TestRegistry registry;
    const std::string key = "Software\\Halvenwerk\\TRZX";
    const std::string umlauts =
        "C:\\Programme\\H\xE4user Stra\xDF"
        "e\\Zug\x80\x9F.exe";
    registry.SetClassesRootString(key, "Umlaut", umlauts);
    registry.SetClassesRootString(key, "Empty", "");
    registry.SetClassesRootString(key, "", "Standard");
    registry.SetClassesRootBytes(key, "Binary", kRegBinary, std::string("\x01\x00\xFF\x7F", 4));
    registry.SetClassesRootBytes(key, "Count", kRegDword, std::string("\x78\x56\x34\x12", 4));

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"Umlaut", umlauts + '\0'},
        {"Empty", std::string(1, '\0')},
        {"", std::string("Standard") + '\0'},
        {"Binary", std::string("\x01\x00\xFF\x7F", 4)},
        {"Count", std::string("\x78\x56\x34\x12", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QueryResult value = QueryClassesRoot(key, c.name);
        EXPECT_EQ(value.error, ErrorCode::kSuccess);
        EXPECT_EQ(value.bytes, c.bytes);
        EXPECT_EQ(value.size, c.bytes.size());
    }
}

TEST(HostRegistry, KeyAndValueNamesIgnoreCase) {
    test::TestRegistry registry;
    registry.RegisterTrassimo("C:\\Sim\\Start.exe");
    registry.SetClassesRootString("Software\\Halvenwerk\\H\xE4user",
                                  "Gr\xF6\xDF"
                                  "e",
                                  "gross");

    EXPECT_EQ(QueryClassesRoot("SOFTWARE\\halvenwerk\\trzx", "APPPATH").bytes,
              std::string("C:\\Sim\\Start.exe") + '\0');
    EXPECT_EQ(QueryClassesRoot("software\\HALVENWERK\\h\xC4USER",
                               "GR\xD6\xDF"
                               "E")
                  .bytes,
              std::string("gross") + '\0');
}

TEST(HostRegistry, PredefinedRootStaysUsableAfterClose) {
    test::TestRegistry registry;
    registry.RegisterTrassimo("C:\\Sim\\Start.exe");
    EXPECT_EQ(CloseRegistryKey(kClassesRoot), ErrorCode::kSuccess);
    EXPECT_EQ(QueryClassesRoot("Software\\Halvenwerk\\TRZX", "AppPath").error, ErrorCode::kSuccess);
}

}  // namespace
}  // namespace quorvel::platform
