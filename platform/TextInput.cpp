#include "platform/TextInput.h"

#include <cstring>

namespace quorvel::platform {

namespace {
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfText = '\x1A';  // Ctrl-Z
}  // namespace

bool TextInputBuffer::Open(const std::string& path) {
    Close();
    handle_ = OpenFileForRead(path);
    ended_ = false;
    readError_ = false;
    rawBegin_ = rawEnd_ = 0;
    setg(text_.data(), text_.data(), text_.data());
    return IsOpen();
}

void TextInputBuffer::Close() {
    if (IsOpen()) {
        CloseFile(handle_);
        handle_ = kInvalidFileHandle;
    }
    ended_ = true;
    setg(text_.data(), text_.data(), text_.data());
}

bool TextInputBuffer::RefillRaw() {
    if (ended_ || !IsOpen()) {
        return false;
    }
    // Keep an unconsumed byte (a CR waiting for its LF) at the front.
    const std::size_t kept = rawEnd_ - rawBegin_;
    std::memmove(raw_.data(), raw_.data() + rawBegin_, kept);
    rawBegin_ = 0;
    rawEnd_ = kept;
    const std::ptrdiff_t count = ReadFromFile(handle_, raw_.data() + kept, raw_.size() - kept);
    if (count <= 0) {
        readError_ = count < 0;
        return false;
    }
    rawEnd_ += static_cast<std::size_t>(count);
    return true;
}

TextInputBuffer::int_type TextInputBuffer::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    std::size_t produced = 0;
    while (produced == 0 && !ended_) {
        if (rawBegin_ == rawEnd_ && !RefillRaw()) {
            ended_ = true;
            break;
        }
        while (rawBegin_ < rawEnd_ && produced < text_.size()) {
            const char byte = raw_[rawBegin_];
            if (byte == kEndOfText) {
                ended_ = true;
                break;
            }
            if (byte == kCarriageReturn) {
                if (rawBegin_ + 1 == rawEnd_) {
                    // The CR is the last byte read so far: its successor decides.
                    if (RefillRaw()) {
                        continue;
                    }
                    // End of the file after a lone CR: it stays a CR.
                } else if (raw_[rawBegin_ + 1] == kLineFeed) {
                    ++rawBegin_;  // drop the CR of a CR LF pair
                    continue;
                }
            }
            text_[produced++] = byte;
            ++rawBegin_;
        }
    }
    setg(text_.data(), text_.data(), text_.data() + produced);
    return produced == 0 ? traits_type::eof() : traits_type::to_int_type(*gptr());
}

bool TextInputFile::Open(const std::string& path) {
    clear();
    if (!buffer_.Open(path)) {
        setstate(std::ios_base::failbit);
        return false;
    }
    return true;
}

}  // namespace quorvel::platform
