// Reads the install script: named sections of brace-delimited entries. Every character is
// taken with a read that passes over whitespace first, so names and entries arrive with all
// whitespace removed, wherever it stood.
#pragma once

#include <memory>
#include <string>

#include "platform/Host.h"
#include "platform/TextInput.h"

namespace quorvel {

class ScriptReader {
public:
    // A reader that opens the script through `host`.
    explicit ScriptReader(platform::Host& host) : host_(host) {}
    ~ScriptReader();
    ScriptReader(const ScriptReader&) = delete;
    ScriptReader& operator=(const ScriptReader&) = delete;

    // Remembers the script's path; true when the file can be opened for reading. Leaves no
    // file open: each FindSection opens it anew.
    bool Open(const std::string& path);

    // Reads the script from its beginning up to the section `name` and stands inside its body;
    // false when the script holds no such section or cannot be opened.
    bool FindSection(const std::string& name);

    // The next entry of the section found last, its outer braces removed; false at the end of
    // the section or when the script ends inside the entry.
    bool NextEntry(std::string& entry);

    // The line of the script (1-based) on which the entry NextEntry read last began.
    std::size_t EntryLine() const { return entryLine_; }

    // Ends the current pass over the script; always true.
    bool Close();

private:
    // A read with whitespace skipping; false when no character was yielded.
    bool ReadChar(char& c);
    // Reads a character and puts it back; false when none was yielded.
    bool PeekChar(char& c);
    bool AtEnd() const;

    std::string NextToken();
    bool SkipBlock();
    std::string ReadWord();
    bool PeekIsBrace();
    bool PeekIsBlank();
    void SkipBlanks();

    platform::Host& host_;
    std::unique_ptr<platform::TextInputFile> stream;
    std::string scriptPath;
    std::size_t entryLine_ = 0;
};

}  // namespace quorvel
