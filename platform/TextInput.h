// Reads a file as the platform's text mode does on Windows, the same on every host: a CR LF
// pair reads as one LF and a Ctrl-Z byte (0x1A) ends the input. Bytes are not converted.
//
// Besides plain reads it offers the character read of a formatted input stream: whitespace is
// passed over first, the end of the input sets the end and failed flags, and one character can
// be put back. Everything is buffered, with no virtual call per character.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "platform/Files.h"
#include "platform/Host.h"

namespace quorvel::platform {

class TextInputFile {
public:
    TextInputFile() = default;
    // Reads `file`; an invalid owner leaves the input failed.
    explicit TextInputFile(UniqueFile file) { Attach(std::move(file)); }
    TextInputFile(Host& host, const std::string& path) { Open(host, path); }
    ~TextInputFile() = default;
    TextInputFile(const TextInputFile&) = delete;
    TextInputFile& operator=(const TextInputFile&) = delete;

    // Opens an existing file for reading; a file that does not open leaves the input failed.
    bool Open(Host& host, const std::string& path);
    bool IsOpen() const { return file_.IsValid(); }
    void Close();

    // Passes over whitespace (space and the bytes 0x09 to 0x0D), then takes one character.
    // When the input ends first, or has failed before, it yields nothing and sets the flags.
    bool ReadSkippingWhitespace(char& c);
    // Gives back the character just read, so that the next read yields it again.
    void PutBack();
    // The input has ended: a read ran into the end of the file, a Ctrl-Z or a read error.
    bool AtEnd() const { return atEnd_; }

    // Reads up to `size` characters as they stand; 0 at the end of the input.
    std::size_t Read(char* buffer, std::size_t size);

    // True when the input ended because the file could not be read on, not at its end.
    bool HadReadError() const { return readError_; }

    // The line of the next character: 1 plus the line feeds passed over so far.
    std::size_t Line() const { return line_; }

private:
    void Attach(UniqueFile file);
    // Makes more text available; false when the input has none left.
    bool FillText();
    // Reads more bytes of the file behind any unconsumed ones; false at its end or on an error.
    bool RefillRaw();

    static constexpr std::size_t kBufferSize = 64 * 1024;
    UniqueFile file_;
    std::size_t line_ = 1;
    bool fileEnded_ = true;  // no more bytes come from the file (end, Ctrl-Z or error)
    bool atEnd_ = false;
    bool failed_ = true;
    bool readError_ = false;
    std::array<char, kBufferSize> raw_{};
    std::size_t rawBegin_ = 0;
    std::size_t rawEnd_ = 0;
    std::array<char, kBufferSize> text_{};
    std::size_t textBegin_ = 0;
    std::size_t textEnd_ = 0;
};

}  // namespace quorvel::platform
