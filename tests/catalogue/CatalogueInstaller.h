// The installer object with its catalogue and script reachable from the tests.
#pragma once

#include <string>

#include "engine/PackageInstaller.h"

namespace quorvel::test {

class CatalogueInstaller final : public PackageInstaller {
public:
    void SetCataloguePath(const std::string& path) { cataloguePath = path; }
    void SetCatalogueText(const std::string& text) { catalogueText = text; }
    bool OpenScript(const std::string& path) { return scriptReader.Open(path); }
};

}  // namespace quorvel::test
