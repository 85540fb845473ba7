// What an install run would do, entry by entry: the preview's findings, in the run's terms.
// Paths are Windows-1252, as the run's messages hold them; reasons and warnings are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::app::preview {

enum class FileAction {
    kCreate,   // a new file
    kReplace,  // the file there is replaced
    kAsk,      // the destination is newer: message 106 would ask (answered "Ja": it stays)
    kRefuse,   // the destination lies outside Trassimo's folder
    kFail,     // the copy would fail: message 105
};

struct FilePreview {
    std::size_t line = 0;
    std::string source;
    std::string destination;
    FileAction action = FileAction::kCreate;
    std::string reason;
};

enum class TextureAction { kReplace, kInsert, kAppend, kRemove, kSkip, kFail };

struct TexturePreview {
    std::size_t line = 0;
    std::int32_t id = 0;
    TextureAction action = TextureAction::kSkip;
    std::optional<std::int32_t> before;  // for kInsert: the id of the block it goes before
};

struct PreviewWarning {
    std::string code;     // stable, for tools
    std::string message;  // German
};

struct Preview {
    std::string target;  // Trassimo's folder
    std::vector<FilePreview> files;
    std::vector<TexturePreview> textures;
    std::vector<PreviewWarning> warnings;
    bool succeeded = false;  // the run's result with every question answered "Ja"
    // The catalogue's bytes as the run would save them; none when it would not save it.
    std::optional<std::string> catalogue;
};

}  // namespace quorvel::app::preview
