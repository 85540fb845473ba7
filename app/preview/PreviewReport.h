// The preview as the command line shows it: German lines for people, or one JSON object for
// tools, paths in UTF-8 as the run's messages show them.
#pragma once

#include <ostream>

#include "app/preview/Preview.h"

namespace quorvel::app::preview {

void WritePreviewText(const Preview& preview, std::ostream& out);

// {"target": ..., "files": [...], "textures": [...], "warnings": [...], "result": "ok"|"fail"}
void WritePreviewJson(const Preview& preview, std::ostream& out);

}  // namespace quorvel::app::preview
