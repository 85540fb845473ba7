// Any bytes as a catalogue and a texture section, merged by the catalogue over chunks and by the
// whole-string merge it replaced (tests/support/ReferenceCatalogue.h): any difference in a result
// or in the text after an entry aborts. The first byte chooses the chunk size (1 to 64), the text
// up to the first zero byte is the catalogue's file, and each line after it one entry: its id
// (read as the installer reads it), ">>", its definition.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalogue/IdNumber.h"
#include "catalogue/LineEnds.h"
#include "catalogue/TextureCatalogue.h"
#include "tests/support/ReferenceCatalogue.h"

namespace {

bool SameResult(const quorvel::catalogue::MergeResult& a,
                const quorvel::catalogue::MergeResult& b) {
    return a.action == b.action && a.beforeId == b.beforeId && a.oldBlock == b.oldBlock &&
           a.newBlock == b.newBlock;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t chunkSize = 1 + data[0] % 64;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = input.find('\0');
    const std::string_view file = input.substr(0, split);
    std::string_view entries =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const std::string text = quorvel::catalogue::TextureCatalogue::FromFileBytes(file).Text();
    quorvel::catalogue::TextureCatalogue chunked(text, chunkSize);
    quorvel::test::ReferenceCatalogue reference(text);
    while (!entries.empty()) {
        const std::size_t lineEnd = entries.find('\n');
        const std::string_view line = entries.substr(0, lineEnd);
        entries =
            lineEnd == std::string_view::npos ? std::string_view() : entries.substr(lineEnd + 1);
        const std::size_t arrow = line.find(">>");
        if (arrow == std::string_view::npos) {
            continue;
        }
        const std::int32_t id = quorvel::catalogue::ReadLeadingNumber(line.substr(0, arrow));
        const std::string_view definition = line.substr(arrow + 2);
        if (chunked.LastTextureId() != reference.LastTextureId() ||
            !SameResult(chunked.Merge(id, definition), reference.Merge(id, definition)) ||
            chunked.Text() != reference.Text()) {
            std::abort();
        }
    }
    if (chunked.FileBytes() != quorvel::catalogue::WithWindowsLineEnds(reference.Text())) {
        std::abort();
    }
    return 0;
}
