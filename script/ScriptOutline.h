// The install script as its author wrote it: every top-level name and block with the line it
// begins on, and each section's entries as the reader would deliver them, read from the
// script's bytes in one go. The reader itself (ScriptReader) knows only the section sought; the
// package check needs the whole picture, including what the reader silently passes over.
//
// The reading follows the reader's rules exactly: text mode (a Ctrl-Z byte ends the script),
// every whitespace byte dropped before the structure is seen, names ending at a brace, a block
// passed over as a whole, a section's body entered by dropping whatever character follows its
// name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One character that the reader sees: whitespace never is one.
struct ScriptChar {
    char value = 0;
    std::size_t line = 1;    // 1-based line of the script
    std::size_t offset = 0;  // position in the script's bytes
};

// A name at the top level, one per call of the reader's token read, in order.
struct ScriptName {
    std::string text;           // whitespace removed, as the section lookup compares it
    std::size_t first = 0;      // index of its first character in Chars(); for an empty name, of
                                // the character that follows it
    std::size_t end = 0;        // index behind its last character
    std::size_t line = 1;       // the line on which it begins
    bool blockBefore = false;   // a block was passed over in front of it
    std::size_t blockLine = 0;  // the line of that block's opening brace
};

struct ScriptEntry {
    std::string text;      // as the reader delivers it: outer braces and whitespace removed
    std::size_t line = 1;  // the line of its opening brace
    bool complete = true;  // false: the script ends inside it; the reader does not deliver it
};

// How the reading of a section's entries stopped.
enum class SectionEnd {
    kClosingBrace,  // at a closing brace, in a well-formed script the body's own
    kOtherText,     // at a character that is no brace: the entries after it are not read
    kEndOfScript,   // the script ended between entries
    kEntryCutOff,   // the script ended inside an entry
};

// What the reader delivers after finding a section.
struct ScriptSection {
    const ScriptName* name = nullptr;
    bool bodyOpened = false;            // the character dropped after the name was "{"
    std::optional<ScriptChar> dropped;  // that character; nothing at the end of the script
    std::vector<ScriptEntry> entries;   // the delivered entries, then a cut-off one if any
    SectionEnd end = SectionEnd::kEndOfScript;
    std::optional<ScriptChar> endChar;  // the character that ended the reading, if any
};

class ScriptOutline {
public:
    // Reads the bytes of an install script file.
    explicit ScriptOutline(std::string_view fileBytes);

    // The script as text mode reads it: up to the first Ctrl-Z.
    std::string_view Text() const { return text_; }
    const std::vector<ScriptChar>& Chars() const { return chars_; }
    // Every top-level name, as successive token reads yield them, empty ones included.
    const std::vector<ScriptName>& Names() const { return names_; }

    // The name the section lookup for `name` stops at: the first equal one; null when none.
    const ScriptName* Find(std::string_view name) const;
    // The entries the reader delivers for the section that begins with `name`.
    ScriptSection SectionAfter(const ScriptName& name) const;
    // The script's text from the character at index `first` up to, not including, the one at
    // `end`, whitespace as it stands.
    std::string_view RawText(std::size_t first, std::size_t end) const;

private:
    void ReadNames();

    std::string text_;
    std::vector<ScriptChar> chars_;
    std::vector<ScriptName> names_;
};

}  // namespace quorvel
