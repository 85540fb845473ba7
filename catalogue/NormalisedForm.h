// The catalogue's normalised form: its words in file order, each followed by the separator that
// its last character selects ("\t" after ")" and "{", "\n\t\t" after "}", nothing after any
// other character, so that such a word runs into the next one).
#pragma once

#include <string>
#include <string_view>

namespace quorvel::catalogue {

// What follows a word that ends in `last`.
std::string_view SeparatorAfter(char last);

// Builds the normalised text from the catalogue's text, which arrives in pieces of any size.
class NormalisedTextBuilder {
public:
    // Room for a text of about `bytes`, so that a large catalogue is not moved as it grows.
    void Reserve(std::size_t bytes) { text_.reserve(bytes); }
    void Feed(std::string_view piece);
    // The whole text, the last word's separator included; the builder is empty afterwards.
    std::string Finish();

private:
    void EndWord();

    std::string text_;
    bool inWord_ = false;
};

// Appends a texture definition as it goes into the catalogue: every character followed by the
// separator it selects. A definition from the install script holds no whitespace, so this is
// the normalised form of its words.
void AppendDefinition(std::string& text, std::string_view definition);

}  // namespace quorvel::catalogue
