// Reads a file as the platform's text mode does on Windows, the same on every host: a CR LF
// pair reads as one LF and a Ctrl-Z byte (0x1A) ends the input. Bytes are not converted.
#pragma once

#include <array>
#include <istream>
#include <streambuf>
#include <string>

#include "platform/Files.h"

namespace quorvel::platform {

class TextInputBuffer : public std::streambuf {
public:
    TextInputBuffer() = default;
    ~TextInputBuffer() override { Close(); }
    TextInputBuffer(const TextInputBuffer&) = delete;
    TextInputBuffer& operator=(const TextInputBuffer&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return handle_ != kInvalidFileHandle; }
    void Close();
    // True when the input ended because the file could not be read on, not at its end.
    bool HadReadError() const { return readError_; }

protected:
    int_type underflow() override;

private:
    // Fills `raw_` from the file; false at its end or on a read error.
    bool RefillRaw();

    static constexpr std::size_t kBufferSize = 64 * 1024;
    FileHandle handle_ = kInvalidFileHandle;
    bool ended_ = false;  // a Ctrl-Z, the end of the file or a read error was met
    bool readError_ = false;
    std::array<char, kBufferSize> raw_{};
    std::size_t rawBegin_ = 0;
    std::size_t rawEnd_ = 0;
    std::array<char, kBufferSize> text_{};
};

// An input stream over TextInputBuffer; a file that does not open leaves the stream failed.
class TextInputFile : public std::istream {
public:
    TextInputFile() : std::istream(&buffer_) {}
    explicit TextInputFile(const std::string& path) : TextInputFile() { Open(path); }

    bool Open(const std::string& path);
    bool IsOpen() const { return buffer_.IsOpen(); }
    void Close() { buffer_.Close(); }
    bool HadReadError() const { return buffer_.HadReadError(); }

private:
    TextInputBuffer buffer_;
};

}  // namespace quorvel::platform
