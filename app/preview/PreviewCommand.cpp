#include "app/preview/PreviewCommand.h"

#include <fstream>
#include <sstream>

#include "app/MessageTable.h"
#include "app/VisibleText.h"
#include "app/preview/PreviewReport.h"
#include "app/preview/PreviewRun.h"

namespace quorvel::app::preview {

namespace {

constexpr int kCatalogueNotWritten = 1;
constexpr int kTrassimoNotFound = 2;

bool WriteCatalogue(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

}  // namespace

int RunPreviewCommand(platform::Host& machine, const PreviewRequest& request, std::ostream& out,
                      std::ostream& err) {
    const std::optional<Preview> preview = PreviewInstall(machine);
    if (!preview) {
        err << MessageUtf8(kMessageNotInstalled) << "\n";
        return kTrassimoNotFound;
    }
    if (request.json) {
        WritePreviewJson(*preview, out);
    } else {
        // Names from the package and the catalogue may hold control characters.
        std::ostringstream text;
        WritePreviewText(*preview, text);
        out << VisibleText(text.str());
    }
    if (!request.catalogueOut) {
        return 0;
    }
    if (!preview->catalogue) {
        err << "Der Lauf würde den Texturkatalog nicht speichern; " << *request.catalogueOut
            << " wird nicht geschrieben.\n";
        return 0;
    }
    if (!WriteCatalogue(*request.catalogueOut, *preview->catalogue)) {
        err << "Der Texturkatalog kann nicht nach " << *request.catalogueOut
            << " geschrieben werden.\n";
        return kCatalogueNotWritten;
    }
    return 0;
}

}  // namespace quorvel::app::preview
