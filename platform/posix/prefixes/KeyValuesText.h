// Steam's text KeyValues format (libraryfolders.vdf, appmanifest_<id>.acf), read into a tree:
//
//   "libraryfolders"          // a comment
//   {
//       "0"
//       {
//           "path"    "/home/anna/.local/share/Steam"
//           "apps"    { "228980" "1234" }
//       }
//   }
//
// A key is followed by a value or by a braced block of pairs. Keys and values are quoted
// strings (with the escapes \" \\ \n \t) or bare words; a "[$WIN32]"-style condition after a
// pair is passed over. Pure text in, tree out: no file is touched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform::posix {

struct KeyValuesNode {
    std::string key;
    std::string value;                    // a pair's value; empty for a block
    std::vector<KeyValuesNode> children;  // a block's pairs, in file order
    bool isBlock = false;

    // The first child whose key equals `name` regardless of ASCII case; null if none.
    const KeyValuesNode* Find(std::string_view name) const;
};

struct KeyValuesText {
    std::vector<KeyValuesNode> roots;
    // False when the text broke off or held something that is no pair (a stray "}", a key
    // without value, blocks nested deeper than any Steam file): what was read before that
    // point is kept, blocks cut short included.
    bool complete = true;
};

KeyValuesText ParseKeyValues(std::string_view text);

// The first root whose key equals `name` regardless of ASCII case; null if none.
const KeyValuesNode* FindRoot(const KeyValuesText& text, std::string_view name);

}  // namespace quorvel::platform::posix
