// The running executable's path as GetModuleFileNameA reports it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::platform::posix {

// The Windows path of an absolute host path as Wine shows a file reached through drive Z:
// "Z:" and the path with backslashes, in Windows-1252. Nothing for a path that is not absolute,
// or that holds a backslash (a name character Windows cannot show) or a character that 1252
// cannot represent.
std::optional<std::string> WindowsPathOfHostPath(std::string_view hostPath);

// Copies `path` as GetModuleFileNameA does: the length copied when it fits with its zero;
// else cut to `size` - 1 characters, zero-terminated, and `size` returned; 0 for no buffer.
std::uint32_t CopyModuleFileName(std::string_view path, char* buffer, std::uint32_t size);

}  // namespace quorvel::platform::posix
