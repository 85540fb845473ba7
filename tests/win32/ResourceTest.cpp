// The resources compiled into Quorvel.exe, read back under Wine with the system's own resource
// calls: the dialog templates, the string table, the icon, the version record and the manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "app/DialogTexts.h"
#include "app/MessageTable.h"
#include "tests/win32/ResourceParsers.h"
#include "tests/win32/driver/Text.h"

namespace quorvel::test {
namespace {

using driver::FromUtf8;

constexpr WORD kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

// The executable under test, from QUORVEL_EXE; a Unix path (as CTest gives it under Wine)
// is reached through drive Z:.
std::string ExecutablePath() {
    const char* path = std::getenv("QUORVEL_EXE");
    std::string windowsPath = path != nullptr ? path : "";
    if (!windowsPath.empty() && windowsPath.front() == '/') {
        for (char& c : windowsPath) {
            c = c == '/' ? '\\' : c;
        }
        windowsPath = "Z:" + windowsPath;
    }
    return windowsPath;
}

class ResourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExA(ExecutablePath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot load " << ExecutablePath(); }

    // The bytes of one resource in German (Germany); empty when there is none.
    static std::span<const BYTE> Bytes(LPCSTR type, LPCSTR name, WORD language = kGerman) {
        const HRSRC found = FindResourceExA(module_, type, name, language);
        if (found == nullptr) {
            return {};
        }
        const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
        return {data, SizeofResource(module_, found)};
    }
    static DialogTemplate Dialog(int id) {
        const auto bytes = Bytes(RT_DIALOG, MAKEINTRESOURCEA(id));
        std::optional<DialogTemplate> dialog = ParseDialogTemplate(bytes.data(), bytes.size());
        return dialog.value_or(DialogTemplate{});
    }

    static HMODULE module_;
};

HMODULE ResourceTest::module_ = nullptr;

struct ExpectedItem {
    DWORD style;
    short x, y, cx, cy;
    std::int32_t id;
    const wchar_t* windowClass;
    const char* text;  // UTF-8; null: the icon, named by its number 128
};

void ExpectItems(const DialogTemplate& dialog, std::initializer_list<ExpectedItem> expected) {
    ASSERT_EQ(dialog.items.size(), expected.size());
    std::size_t i = 0;
    for (const ExpectedItem& item : expected) {
        const DialogItem& actual = dialog.items[i++];
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(actual.style, item.style);
        EXPECT_EQ(actual.exStyle, 0u);
        EXPECT_EQ(actual.helpId, 0u);
        EXPECT_EQ((std::array{actual.x, actual.y, actual.cx, actual.cy}),
                  (std::array{item.x, item.y, item.cx, item.cy}));
        EXPECT_EQ(actual.id, item.id);
        EXPECT_EQ(lstrcmpiW(actual.windowClass.c_str(), item.windowClass), 0);
        if (item.text != nullptr) {
            EXPECT_EQ(actual.text, FromUtf8(item.text));
            EXPECT_EQ(actual.textOrdinal, -1);
        } else {
            EXPECT_EQ(actual.textOrdinal, 128);
        }
        EXPECT_EQ(actual.extraCount, 0);
    }
}

TEST_F(ResourceTest, MainDialogTemplateHasItsExactLayout) {
    const DialogTemplate dialog = Dialog(102);
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.style, 0x90C800C0u);
    EXPECT_EQ(dialog.exStyle, 0x00040000u);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ((std::array{dialog.x, dialog.y, dialog.cx, dialog.cy}),
              (std::array<short, 4>{0, 0, 235, 107}));
    EXPECT_EQ(dialog.menu, L"");
    EXPECT_EQ(dialog.windowClass, L"");
    EXPECT_EQ(dialog.title, L"Quorvel");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, DEFAULT_CHARSET);
    EXPECT_EQ(dialog.typeface, L"MS Sans Serif");
    ExpectItems(dialog,
                {{0x50010001, 48, 86, 50, 14, IDOK, L"Button", "Installieren"},
                 {0x50010000, 132, 86, 50, 14, IDCANCEL, L"Button", "Abbrechen"},
                 {0x50020000, 7, 7, 221, 35, -1, L"Static",
                  "Dieses Programm installiert zusätzliche Modelle zum Programm Trassimo (TRZ)."},
                 {0x50800000, 7, 37, 221, 21, 1000, L"msctls_progress32", "Progress1"}});
}

TEST_F(ResourceTest, AboutBoxTemplateHasItsExactLayout) {
    const DialogTemplate dialog = Dialog(100);
    EXPECT_FALSE(dialog.extended);
    EXPECT_EQ(dialog.style, 0x80C800C0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ((std::array{dialog.x, dialog.y, dialog.cx, dialog.cy}),
              (std::array<short, 4>{0, 0, 235, 55}));
    EXPECT_EQ(dialog.title, L"Info über Quorvel");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, L"MS Sans Serif");
    ExpectItems(dialog, {{0x50000003, 11, 17, 20, 20, -1, L"Static", nullptr},
                         {0x50020080, 40, 10, 119, 8, -1, L"Static", "Quorvel Version 1.0"},
                         {0x50020000, 40, 25, 119, 8, -1, L"Static", QUORVEL_ABOUT_NOTICE},
                         {0x50030001, 178, 7, 50, 14, IDOK, L"Button", "OK"}});
}

TEST_F(ResourceTest, StringTableHoldsTheMessageTableByteForByte) {
    // Ids 96 to 111 share one block of the string table: only 101 to 106 are in it.
    EXPECT_FALSE(Bytes(RT_STRING, MAKEINTRESOURCEA(101 / 16 + 1)).empty());
    for (unsigned id = 96; id <= 111; ++id) {
        SCOPED_TRACE("message " + std::to_string(id));
        const std::string_view utf8 = app::MessageUtf8(id);
        const wchar_t* stored = nullptr;
        const int length = LoadStringW(module_, id, reinterpret_cast<LPWSTR>(&stored), 0);
        EXPECT_EQ(std::wstring(stored != nullptr ? stored : L"", static_cast<std::size_t>(length)),
                  FromUtf8(utf8));
        char narrow[512] = {};
        const int narrowLength = LoadStringA(module_, id, narrow, sizeof(narrow));
        EXPECT_EQ(std::string(narrow, static_cast<std::size_t>(narrowLength)),
                  app::MessageText(id));
    }
    // The escapes came through as line feeds, and the blank before the last sentence stayed.
    const wchar_t* question = nullptr;
    const int length = LoadStringW(module_, 106, reinterpret_cast<LPWSTR>(&question), 0);
    const std::wstring text(question, static_cast<std::size_t>(length));
    EXPECT_NE(text.find(L"Die Datei:\n\n%s\n\nist neuer"), std::wstring::npos);
    EXPECT_NE(text.find(L"beizubehalten. \n\nSoll"), std::wstring::npos);
    EXPECT_EQ(text.find(L'\r'), std::wstring::npos);
}

TEST_F(ResourceTest, IconIsOne48x48ImageOf256Colours) {
    const auto group = Bytes(RT_GROUP_ICON, MAKEINTRESOURCEA(128));
    ASSERT_EQ(group.size(), 6u + 14u);  // GRPICONDIR and one GRPICONDIRENTRY
    const auto word = [&group](std::size_t at) { return group[at] | (group[at + 1] << 8); };
    EXPECT_EQ(word(0), 0);
    EXPECT_EQ(word(2), 1);  // an icon
    EXPECT_EQ(word(4), 1);  // one image
    EXPECT_EQ(group[6], 48);
    EXPECT_EQ(group[7], 48);
    EXPECT_EQ(group[8], 0);  // 256 colours
    EXPECT_EQ(word(10), 1);  // planes
    EXPECT_EQ(word(12), 8);  // bits per pixel
    EXPECT_EQ(word(14) | (word(16) << 16), 3752);
    EXPECT_EQ(word(18), 1);  // icon image 1

    const auto image = Bytes(RT_ICON, MAKEINTRESOURCEA(1));
    ASSERT_EQ(image.size(), 3752u);  // header 40 + palette 1024 + pixels 2304 + mask 384
    BITMAPINFOHEADER header{};
    std::memcpy(&header, image.data(), sizeof(header));
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 48);
    EXPECT_EQ(header.biHeight, 96);  // the colour pixels and the mask
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
}

TEST_F(ResourceTest, VersionRecordHasTheFixedPartAndTheKeysInOrder) {
    const auto bytes = Bytes(RT_VERSION, MAKEINTRESOURCEA(1));
    const std::optional<VersionBlock> record = ParseVersionRecord(bytes.data(), bytes.size());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->key, L"VS_VERSION_INFO");
    ASSERT_EQ(record->value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, record->value.data(), sizeof(fixed));
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS | fixed.dwFileDateLS, 0u);

    ASSERT_EQ(record->children.size(), 2u);
    const VersionBlock& strings = record->children[0];
    EXPECT_EQ(strings.key, L"StringFileInfo");
    ASSERT_EQ(strings.children.size(), 1u);
    EXPECT_EQ(strings.children[0].key, L"040704B0");
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    for (const VersionBlock& entry : strings.children[0].children) {
        entries.emplace_back(entry.key, entry.Text());
    }
    const std::vector<std::pair<std::wstring, std::wstring>> expected = {
        {L"CompanyName", L""},
        {L"FileDescription", L"MFC-Anwendung Quorvel"},
        {L"FileVersion", L"1, 0, 0, 1"},
        {L"InternalName", L"Quorvel"},
        {L"LegalCopyright", FromUtf8(QUORVEL_ABOUT_NOTICE)},
        {L"LegalTrademarks", L""},
        {L"OriginalFilename", L"Quorvel.EXE"},
        {L"ProductName", L"Anwendung Quorvel"},
        {L"ProductVersion", L"1, 0, 0, 1"},
    };
    EXPECT_EQ(entries, expected);

    const VersionBlock& variables = record->children[1];
    EXPECT_EQ(variables.key, L"VarFileInfo");
    ASSERT_EQ(variables.children.size(), 1u);
    EXPECT_EQ(variables.children[0].key, L"Translation");
    EXPECT_EQ(variables.children[0].value, (std::vector<BYTE>{0x07, 0x04, 0xB0, 0x04}));
}

TEST_F(ResourceTest, DialogsIconVersionAndStringsAreGerman) {
    for (const auto& [type, id] :
         {std::pair{RT_DIALOG, 100}, std::pair{RT_DIALOG, 102}, std::pair{RT_GROUP_ICON, 128},
          std::pair{RT_ICON, 1}, std::pair{RT_VERSION, 1}, std::pair{RT_STRING, 7}}) {
        EXPECT_FALSE(Bytes(type, MAKEINTRESOURCEA(id)).empty()) << "resource " << id;
    }
}

TEST_F(ResourceTest, ManifestAsksForCommonControls6AndElevation) {
    const auto bytes =
        Bytes(RT_MANIFEST, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    const std::string manifest(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (
        const char* part : {
            R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
            R"(publicKeyToken="6595b64144ccf1df")",
            R"(<requestedExecutionLevel level="requireAdministrator" uiAccess="false"/>)",
            R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>)",
            "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
            "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
            "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
        }) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
}

}  // namespace
}  // namespace quorvel::test
