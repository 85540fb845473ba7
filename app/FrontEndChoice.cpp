#include "app/FrontEndChoice.h"

#include <algorithm>
#include <cctype>

namespace quorvel::app {

namespace {

bool IsSet(const char* value) {
    return value != nullptr && *value != '\0';
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    return std::equal(
        text.begin(), text.end(), lowerCase.begin(), lowerCase.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

FrontEndRequest ParseFrontEndRequest(const char* value) {
    if (!IsSet(value)) {
        return FrontEndRequest::Automatic;
    }
    if (EqualsIgnoringCase(value, "terminal")) {
        return FrontEndRequest::Terminal;
    }
    if (EqualsIgnoringCase(value, "desktop")) {
        return FrontEndRequest::Desktop;
    }
    return FrontEndRequest::Unknown;
}

bool NamesDisplay(const DisplayEnvironment& environment) {
    return IsSet(environment.display) || IsSet(environment.waylandDisplay);
}

std::string PlatformCandidates(const DisplayEnvironment& environment) {
    std::string candidates;
    if (IsSet(environment.qtPlatform)) {
        candidates = environment.qtPlatform;
    } else {
        if (IsSet(environment.waylandDisplay)) {
            candidates = "wayland";
        }
        if (IsSet(environment.display) || candidates.empty()) {
            candidates += candidates.empty() ? "xcb" : ";xcb";
        }
    }
    return candidates + ";" + std::string(kNoDisplayPlatform);
}

}  // namespace quorvel::app
