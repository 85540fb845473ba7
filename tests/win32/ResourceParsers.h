// Readers of the compiled resource formats the tests check byte for byte: dialog templates
// (classic and extended) and the version record's tree of blocks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

struct DialogItem {
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    std::int32_t id;           // sign-extended: -1 in either kind of template
    std::wstring windowClass;  // a predefined class by name ("Button", "Static")
    std::wstring text;
    int textOrdinal;  // a resource number given as the text (an icon), else -1
    WORD extraCount;
};

struct DialogTemplate {
    bool extended;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    std::wstring menu;
    std::wstring windowClass;
    std::wstring title;
    WORD pointSize;
    WORD weight;   // extended templates only
    BYTE italic;   // extended templates only
    BYTE charset;  // extended templates only
    std::wstring typeface;
    std::vector<DialogItem> items;
};

// Null when the bytes are not a whole template.
std::optional<DialogTemplate> ParseDialogTemplate(const BYTE* data, std::size_t size);

// One block of a version record: a key, its value (text for string values), its children.
struct VersionBlock {
    std::wstring key;
    WORD type;  // 1: text, 0: binary
    std::vector<BYTE> value;
    std::vector<VersionBlock> children;
    std::wstring Text() const;  // a text value without its terminating zero
};

std::optional<VersionBlock> ParseVersionRecord(const BYTE* data, std::size_t size);

}  // namespace quorvel::test
