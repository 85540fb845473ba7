#include "platform/posix/WindowsPath.h"

#include "platform/TextRules.h"

namespace quorvel::platform::posix {

namespace {

bool IsDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsForbiddenInName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
           c == '*';
}

// Splits off how the path starts; `rest` keeps the names that follow.
WindowsPath ReadStart(std::string_view path, std::string_view* rest) {
    WindowsPath start;
    *rest = path;
    if (path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0])) {
        start.drive = static_cast<char>(path[0] | 0x20);
        const bool rooted = path.size() >= 3 && IsPathSeparator(path[2]);
        start.start = rooted ? PathStart::kDriveRoot : PathStart::kDriveCurrent;
        rest->remove_prefix(rooted ? 3 : 2);
    } else if (IsPathSeparator(path[0])) {
        start.start = PathStart::kCurrentDriveRoot;
        rest->remove_prefix(1);
    }
    return start;
}

// The name left when Windows strips a name's end: a name inside the path loses one final dot,
// the last name of the path all final dots and spaces.
std::string_view StripEnd(std::string_view name, bool isLast) {
    if (isLast) {
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
            name.remove_suffix(1);
        }
    } else if (name.back() == '.') {
        name.remove_suffix(1);
    }
    return name;
}

}  // namespace

WindowsPathResult ParseWindowsPath(std::string_view path) {
    WindowsPathResult result;
    if (path.empty() ||
        (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]))) {
        result.error = ErrorCode::kPathNotFound;
        return result;
    }
    std::string_view rest;
    result.path = ReadStart(path, &rest);
    WindowsPath& parsed = result.path;
    const bool fromRoot =
        parsed.start == PathStart::kDriveRoot || parsed.start == PathStart::kCurrentDriveRoot;
    const bool endsWithSeparator = !rest.empty() && IsPathSeparator(rest.back());
    parsed.trailingSeparator = endsWithSeparator;

    const std::vector<std::string_view> names = SplitPath(rest, IsPathSeparator);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = names[i];
        const bool isLast = i + 1 == names.size();
        if (name.empty() || name == ".") {
            continue;
        }
        if (name == "..") {
            if (!parsed.names.empty()) {
                parsed.names.pop_back();
            } else if (!fromRoot) {
                ++parsed.parentSteps;
            }
            continue;
        }
        const std::string_view stripped = StripEnd(name, isLast);
        if (stripped.empty()) {
            parsed.trailingSeparator = true;  // "C:\Sim\..." is "C:\Sim\"
            continue;
        }
        parsed.names.emplace_back(stripped);
    }
    for (const std::string& name : parsed.names) {
        bool forbidden = name == "." || name == "..";
        for (const char c : name) {
            forbidden = forbidden || IsForbiddenInName(c);
        }
        if (forbidden) {
            result.error = ErrorCode::kInvalidName;
            return result;
        }
    }
    if (parsed.names.empty()) {
        parsed.trailingSeparator = false;
    }
    return result;
}

}  // namespace quorvel::platform::posix
