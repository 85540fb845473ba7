// The texture catalogue on disk: read whole into catalogueText in normalised form, and written
// back in one step.
#include <memory>
#include <string>

#include "catalogue/LineEnds.h"
#include "catalogue/NormalisedForm.h"
#include "engine/PackageInstaller.h"
#include "platform/Files.h"
#include "platform/TextInput.h"

namespace quorvel {

namespace {
constexpr std::size_t kReadPieceSize = 64 * 1024;
}  // namespace

bool PackageInstaller::LoadCatalogue() {
    // The stream holds two large buffers: it lives on the heap, not on the stack.
    const auto file = std::make_unique<platform::TextInputFile>(cataloguePath);
    if (!file->IsOpen()) {
        return false;  // catalogueText stays as it was; nothing is created
    }
    // The text input reads CR LF as LF and stops at a Ctrl-Z. A read error before the end is a
    // failure: a catalogue read only in part must never be merged and written back.
    catalogue::NormalisedTextBuilder builder;
    std::string piece(kReadPieceSize, '\0');
    for (std::size_t count = file->Read(piece.data(), piece.size()); count > 0;
         count = file->Read(piece.data(), piece.size())) {
        builder.Feed(std::string_view(piece.data(), count));
    }
    if (file->HadReadError()) {
        return false;
    }
    catalogueText = builder.Finish();
    return true;
}

bool PackageInstaller::SaveCatalogue() {
    // Never cut in place: the old catalogue stays whole until the new one replaces it, and any
    // failure (write-protected file, full disk, missing folder) leaves it byte for byte.
    return platform::ReplaceFileContent(
               cataloguePath, catalogue::WithWindowsLineEnds(catalogueText)) == platform::kNoError;
}

}  // namespace quorvel
