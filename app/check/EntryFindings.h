// Findings on the entries of the two sections, each read as the installer reads it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/check/Finding.h"
#include "script/ScriptOutline.h"

namespace quorvel::app::check {

struct FileEntry {
    std::size_t line = 0;
    std::string source;       // relative to the package folder, whitespace removed
    std::string destination;  // relative to Trassimo's folder
};

struct TextureEntry {
    std::size_t line = 0;
    std::string idText;
    std::string definition;
};

struct ScriptEntries {
    std::vector<FileEntry> files;
    std::vector<TextureEntry> textures;
};

// The entries the installer reads from the first section of each name; an entry without ">>"
// is passed over, as the installer does, with a warning.
ScriptEntries ReadEntries(const ScriptOutline& outline, Findings& findings);

Findings CheckFileEntries(const std::vector<FileEntry>& entries);
Findings CheckTextureEntries(const std::vector<TextureEntry>& entries);

// A relative path as Windows compares it: names in upper case, "\" between them, "." and
// empty names dropped, ".." taking one name back.
std::string ComparablePath(std::string_view path);

}  // namespace quorvel::app::check
