// How GetModuleFileNameA hands out a path: cut to the buffer it is given.
#pragma once

#include <cstdint>
#include <string_view>

namespace quorvel::platform {

// Copies `path` as GetModuleFileNameA does: the length copied when it fits with its zero;
// else cut to `size` - 1 characters, zero-terminated, and `size` returned; 0 for no buffer.
std::uint32_t CopyModuleFileName(std::string_view path, char* buffer, std::uint32_t size);

}  // namespace quorvel::platform
