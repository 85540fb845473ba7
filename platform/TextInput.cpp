#include "platform/TextInput.h"

#include <algorithm>
#include <cstring>

#include "platform/TextRules.h"

namespace quorvel::platform {

namespace {
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfText = '\x1A';  // Ctrl-Z
}  // namespace

bool TextInputFile::Open(Host& host, const std::string& path) {
    Attach(host.OpenFileForRead(path));
    return IsOpen();
}

void TextInputFile::Attach(UniqueFile file) {
    Close();
    file_ = std::move(file);
    fileEnded_ = !IsOpen();
    atEnd_ = false;
    failed_ = !IsOpen();
    readError_ = false;
    line_ = 1;
}

void TextInputFile::Close() {
    file_.Reset();
    fileEnded_ = true;
    rawBegin_ = rawEnd_ = 0;
    textBegin_ = textEnd_ = 0;
}

bool TextInputFile::RefillRaw() {
    if (fileEnded_) {
        return false;
    }
    // Keep an unconsumed byte (a CR waiting for its LF) at the front.
    const std::size_t kept = rawEnd_ - rawBegin_;
    std::memmove(raw_.data(), raw_.data() + rawBegin_, kept);
    rawBegin_ = 0;
    rawEnd_ = kept;
    const Result<std::size_t> count = ReadFromFile(file_, raw_.data() + kept, raw_.size() - kept);
    if (!count || *count == 0) {
        readError_ = !count;
        fileEnded_ = true;
        return false;
    }
    rawEnd_ += *count;
    return true;
}

bool TextInputFile::FillText() {
    textBegin_ = textEnd_ = 0;
    while (textEnd_ == 0) {
        if (rawBegin_ == rawEnd_ && !RefillRaw()) {
            return false;
        }
        while (rawBegin_ < rawEnd_ && textEnd_ < text_.size()) {
            const char byte = raw_[rawBegin_];
            if (byte == kEndOfText) {
                fileEnded_ = true;
                rawBegin_ = rawEnd_ = 0;
                return textEnd_ > 0;
            }
            if (byte == kCarriageReturn) {
                if (rawBegin_ + 1 == rawEnd_) {
                    // The CR is the last byte read so far: its successor decides.
                    if (RefillRaw()) {
                        continue;
                    }
                    // The file ends after a lone CR: it stays a CR.
                } else if (raw_[rawBegin_ + 1] == kLineFeed) {
                    ++rawBegin_;  // drop the CR of a CR LF pair
                    continue;
                }
            }
            text_[textEnd_++] = byte;
            ++rawBegin_;
        }
    }
    return true;
}

bool TextInputFile::ReadSkippingWhitespace(char& c) {
    if (failed_ || atEnd_) {
        failed_ = true;
        return false;
    }
    while (true) {
        if (textBegin_ == textEnd_ && !FillText()) {
            atEnd_ = true;
            failed_ = true;
            return false;
        }
        const char next = text_[textBegin_++];
        if (!IsWhitespace(next)) {
            c = next;
            return true;
        }
        if (next == kLineFeed) {
            ++line_;
        }
    }
}

void TextInputFile::PutBack() {
    // Only ever called right after a successful read, which left its character in the buffer.
    if (textBegin_ > 0) {
        --textBegin_;
    }
}

std::size_t TextInputFile::Read(char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size && !failed_) {
        if (textBegin_ == textEnd_ && !FillText()) {
            atEnd_ = true;
            break;
        }
        const std::size_t count = std::min(size - done, textEnd_ - textBegin_);
        std::memcpy(buffer + done, text_.data() + textBegin_, count);
        textBegin_ += count;
        done += count;
    }
    return done;
}

}  // namespace quorvel::platform
