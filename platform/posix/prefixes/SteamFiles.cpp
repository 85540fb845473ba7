#include "platform/posix/prefixes/SteamFiles.h"

#include <algorithm>

namespace quorvel::platform::posix {

namespace {

bool IsNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<std::string> LibraryFoldersIn(const KeyValuesText& libraryFolders) {
    std::vector<std::string> folders;
    const KeyValuesNode* root = FindRoot(libraryFolders, "libraryfolders");
    if (root == nullptr) {
        return folders;
    }
    for (const KeyValuesNode& entry : root->children) {
        if (!IsNumber(entry.key)) {
            continue;
        }
        const KeyValuesNode* path = entry.isBlock ? entry.Find("path") : &entry;
        if (path != nullptr && !path->isBlock && !path->value.empty()) {
            folders.push_back(path->value);
        }
    }
    return folders;
}

std::string AppNameIn(const KeyValuesText& appManifest) {
    const KeyValuesNode* state = FindRoot(appManifest, "AppState");
    const KeyValuesNode* name = state != nullptr ? state->Find("name") : nullptr;
    return name != nullptr && !name->isBlock ? name->value : std::string();
}

}  // namespace quorvel::platform::posix
