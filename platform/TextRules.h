// Small rules of Windows text that several parts of the installer apply: which bytes are
// whitespace, how a path splits into names, which text is a path's folder.
#pragma once

#include <string_view>
#include <vector>

namespace quorvel::platform {

// Whitespace as the classic locale has it, and as the Windows text streams pass over it: space
// and the bytes 0x09 to 0x0D (tab, line feed, vertical tab, form feed, carriage return). Every
// other byte, 0x80 and above included, is an ordinary character.
constexpr bool IsWhitespace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Both separators Windows accepts in a path.
constexpr bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

// The names of `path` between the separators that `isSeparator` picks, in order and with the
// empty ones ("a\\b", a leading or a trailing separator): "a\b\" gives a, b and "". For
// narrow text and for the registry's UTF-16 text alike.
template <typename Char, typename SeparatorTest>
std::vector<std::basic_string_view<Char>> SplitPath(std::basic_string_view<Char> path,
                                                    SeparatorTest isSeparator) {
    std::vector<std::basic_string_view<Char>> names;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || isSeparator(path[i])) {
            names.push_back(path.substr(begin, i - begin));
            begin = i + 1;
        }
    }
    return names;
}

// The names of `path` between its backslashes, the empty ones left out, as the registry takes
// a key path ("Software\\\\A\\" names Software and A).
template <typename Char>
std::vector<std::basic_string_view<Char>> RegistryKeyNames(std::basic_string_view<Char> path) {
    std::vector<std::basic_string_view<Char>> names;
    for (const std::basic_string_view<Char> name :
         SplitPath(path, [](Char c) { return c == Char('\\'); })) {
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    return names;
}

// The text before the last backslash of `path`, or the whole path when it holds none:
// C:\Sim\Haus.dat gives C:\Sim, and D:\Setup.exe gives D:.
constexpr std::string_view DirectoryOf(std::string_view path) {
    const std::size_t lastBackslash = path.rfind('\\');
    return lastBackslash == std::string_view::npos ? path : path.substr(0, lastBackslash);
}

}  // namespace quorvel::platform
