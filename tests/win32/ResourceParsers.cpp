#include "tests/win32/ResourceParsers.h"

#include <cstring>

namespace quorvel::test {

namespace {

// Reads little-endian words from a resource, never past its end; a read past it marks the
// reader as failed and gives zeros.
class Reader {
public:
    Reader(const BYTE* data, std::size_t size) : data_(data), size_(size) {}

    WORD Word() { return static_cast<WORD>(Take(2)); }
    DWORD Dword() { return Take(4); }
    BYTE Byte() { return static_cast<BYTE>(Take(1)); }
    short Short() { return static_cast<short>(Word()); }
    std::wstring String() {
        std::wstring text;
        for (WORD c = Word(); c != 0 && ok_; c = Word()) {
            text.push_back(static_cast<wchar_t>(c));
        }
        return text;
    }
    // A name or a number: 0 is none, 0xFFFF a number, else a zero-terminated string.
    std::wstring NameOrNumber(int* number) {
        *number = -1;
        const WORD first = Word();
        if (first == 0) {
            return std::wstring();
        }
        if (first == 0xFFFF) {
            *number = Word();
            return std::wstring();
        }
        std::wstring text(1, static_cast<wchar_t>(first));
        return text + String();
    }
    void AlignTo4() { offset_ = (offset_ + 3) & ~std::size_t{3}; }
    void Skip(std::size_t count) { offset_ += count; }
    std::size_t Offset() const { return offset_; }
    bool Ok() const { return ok_ && offset_ <= size_; }

private:
    DWORD Take(std::size_t count) {
        if (offset_ + count > size_) {
            ok_ = false;
            offset_ = size_;
            return 0;
        }
        DWORD value = 0;
        std::memcpy(&value, data_ + offset_, count);
        offset_ += count;
        return value;
    }

    const BYTE* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

// The two predefined classes the templates use by number; any other as "#number".
std::wstring PredefinedClass(int number) {
    return number == 0x80 ? L"Button" : number == 0x82 ? L"Static" : L"#" + std::to_wstring(number);
}

DialogItem ReadItem(Reader& in, bool extended) {
    DialogItem item{};
    in.AlignTo4();
    if (extended) {
        item.helpId = in.Dword();
        item.exStyle = in.Dword();
        item.style = in.Dword();
    } else {
        item.style = in.Dword();
        item.exStyle = in.Dword();
    }
    item.x = in.Short();
    item.y = in.Short();
    item.cx = in.Short();
    item.cy = in.Short();
    item.id = extended ? static_cast<std::int32_t>(in.Dword()) : in.Short();
    int classNumber = -1;
    item.windowClass = in.NameOrNumber(&classNumber);
    if (classNumber >= 0) {
        item.windowClass = PredefinedClass(classNumber);
    }
    item.text = in.NameOrNumber(&item.textOrdinal);
    item.extraCount = in.Word();
    in.Skip(item.extraCount);
    return item;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const BYTE* data, std::size_t size) {
    Reader in(data, size);
    DialogTemplate dialog{};
    const WORD first = in.Word();
    const WORD second = in.Word();
    dialog.extended = first == 1 && second == 0xFFFF;
    WORD itemCount = 0;
    if (dialog.extended) {
        dialog.helpId = in.Dword();
        dialog.exStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
        dialog.exStyle = in.Dword();
    }
    itemCount = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    int number = -1;
    dialog.menu = in.NameOrNumber(&number);
    dialog.windowClass = in.NameOrNumber(&number);
    dialog.title = in.String();
    if ((dialog.style & DS_SETFONT) != 0) {
        dialog.pointSize = in.Word();
        if (dialog.extended) {
            dialog.weight = in.Word();
            dialog.italic = in.Byte();
            dialog.charset = in.Byte();
        }
        dialog.typeface = in.String();
    }
    for (WORD i = 0; i < itemCount && in.Ok(); ++i) {
        dialog.items.push_back(ReadItem(in, dialog.extended));
    }
    if (!in.Ok()) {
        return std::nullopt;
    }
    return dialog;
}

std::wstring VersionBlock::Text() const {
    std::wstring text(value.size() / 2, L'\0');
    std::memcpy(text.data(), value.data(), text.size() * 2);
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

namespace {

std::optional<VersionBlock> ReadBlock(const BYTE* data, std::size_t size) {
    Reader in(data, size);
    const WORD length = in.Word();
    const WORD valueLength = in.Word();
    VersionBlock block{};
    block.type = in.Word();
    block.key = in.String();
    in.AlignTo4();
    if (!in.Ok() || length > size || length < in.Offset()) {
        return std::nullopt;
    }
    // A text value counts characters, a binary one bytes.
    const std::size_t valueBytes = block.type == 1 ? valueLength * std::size_t{2} : valueLength;
    if (in.Offset() + valueBytes > length) {
        return std::nullopt;
    }
    block.value.assign(data + in.Offset(), data + in.Offset() + valueBytes);
    std::size_t offset = (in.Offset() + valueBytes + 3) & ~std::size_t{3};
    while (offset + 6 <= length) {
        std::optional<VersionBlock> child = ReadBlock(data + offset, length - offset);
        WORD childLength = 0;
        std::memcpy(&childLength, data + offset, 2);
        if (!child || childLength == 0) {
            return std::nullopt;
        }
        block.children.push_back(std::move(*child));
        offset = (offset + childLength + 3) & ~std::size_t{3};
    }
    return block;
}

}  // namespace

std::optional<VersionBlock> ParseVersionRecord(const BYTE* data, std::size_t size) {
    return ReadBlock(data, size);
}

}  // namespace quorvel::test
