#include "platform/posix/prefixes/KeyValuesText.h"

namespace quorvel::platform::posix {

namespace {

// Deeper blocks are refused rather than read by ever deeper recursion.
constexpr int kMaximumDepth = 64;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

const KeyValuesNode* FindIn(const std::vector<KeyValuesNode>& nodes, std::string_view name) {
    for (const KeyValuesNode& node : nodes) {
        if (EqualIgnoringCase(node.key, name)) {
            return &node;
        }
    }
    return nullptr;
}

struct Token {
    enum class Kind { kString, kOpen, kClose, kCondition, kEnd, kBroken };
    Kind kind;
    std::string text;
};

class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : text_(text) {}

    Token Next() {
        SkipSpaceAndComments();
        if (position_ >= text_.size()) {
            return {Token::Kind::kEnd, {}};
        }
        const char c = text_[position_];
        if (c == '{' || c == '}') {
            ++position_;
            return {c == '{' ? Token::Kind::kOpen : Token::Kind::kClose, {}};
        }
        if (c == '[') {
            const std::size_t end = text_.find(']', position_);
            if (end == std::string_view::npos) {
                position_ = text_.size();
                return {Token::Kind::kBroken, {}};
            }
            position_ = end + 1;
            return {Token::Kind::kCondition, {}};
        }
        if (c == '"') {
            return Quoted();
        }
        return Bare();
    }

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void SkipSpaceAndComments() {
        while (position_ < text_.size()) {
            if (IsSpace(text_[position_])) {
                ++position_;
            } else if (text_.substr(position_, 2) == "//") {
                const std::size_t end = text_.find('\n', position_);
                position_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                return;
            }
        }
    }

    Token Quoted() {
        std::string text;
        ++position_;  // the opening quote
        while (position_ < text_.size()) {
            const char c = text_[position_++];
            if (c == '"') {
                return {Token::Kind::kString, std::move(text)};
            }
            if (c == '\\' && position_ < text_.size()) {
                const char escaped = text_[position_++];
                switch (escaped) {
                    case 'n':
                        text += '\n';
                        break;
                    case 't':
                        text += '\t';
                        break;
                    case '\\':
                    case '"':
                        text += escaped;
                        break;
                    default:  // not an escape: both characters stand
                        text += '\\';
                        text += escaped;
                }
                continue;
            }
            text += c;
        }
        return {Token::Kind::kBroken, {}};  // no closing quote
    }

    Token Bare() {
        const std::size_t start = position_;
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (IsSpace(c) || c == '"' || c == '{' || c == '}' || c == '[') {
                break;
            }
            if (text_.substr(position_, 2) == "//") {
                break;
            }
            ++position_;
        }
        return {Token::Kind::kString, std::string(text_.substr(start, position_ - start))};
    }

    std::string_view text_;
    std::size_t position_ = 0;
};

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(text) {}

    KeyValuesText Run() {
        KeyValuesText result;
        const Token::Kind end = ReadPairs(&result.roots, 0);
        result.complete = !broken_ && end == Token::Kind::kEnd;
        return result;
    }

private:
    // Reads pairs into `pairs` up to the end of the text or a "}"; returns which ended them.
    // Stops at the first fault (`broken_`).
    Token::Kind ReadPairs(std::vector<KeyValuesNode>* pairs, int depth) {
        for (;;) {
            Token key = NextSkippingConditions();
            if (key.kind != Token::Kind::kString) {
                if (key.kind == Token::Kind::kBroken || key.kind == Token::Kind::kOpen) {
                    broken_ = true;
                }
                return key.kind;
            }
            Token after = NextSkippingConditions();
            KeyValuesNode node;
            node.key = std::move(key.text);
            if (after.kind == Token::Kind::kString) {
                node.value = std::move(after.text);
                pairs->push_back(std::move(node));
                continue;
            }
            if (after.kind != Token::Kind::kOpen || depth + 1 >= kMaximumDepth) {
                broken_ = true;
                return after.kind;
            }
            node.isBlock = true;
            pairs->push_back(std::move(node));
            const Token::Kind end = ReadPairs(&pairs->back().children, depth + 1);
            if (broken_ || end != Token::Kind::kClose) {
                broken_ = true;
                return end;
            }
        }
    }

    Token NextSkippingConditions() {
        Token token = tokens_.Next();
        while (token.kind == Token::Kind::kCondition) {
            token = tokens_.Next();
        }
        return token;
    }

    Tokenizer tokens_;
    bool broken_ = false;
};

}  // namespace

const KeyValuesNode* KeyValuesNode::Find(std::string_view name) const {
    return FindIn(children, name);
}

KeyValuesText ParseKeyValues(std::string_view text) {
    return Parser(text).Run();
}

const KeyValuesNode* FindRoot(const KeyValuesText& text, std::string_view name) {
    return FindIn(text.roots, name);
}

}  // namespace quorvel::platform::posix
