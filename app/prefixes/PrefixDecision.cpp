#include "app/prefixes/PrefixDecision.h"

namespace quorvel::app {

namespace {

bool IsSet(const std::optional<std::string>& value) {
    return value.has_value() && !value->empty();
}

}  // namespace

bool NeedsPrefixSearch(const std::optional<std::string>& prefixOption,
                       const std::optional<std::string>& winePrefix) {
    return !IsSet(prefixOption) && !IsSet(winePrefix);
}

PrefixDecision DecidePrefix(const std::optional<std::string>& prefixOption,
                            const std::optional<std::string>& winePrefix,
                            const std::vector<FoundPrefix>& found) {
    PrefixDecision decision;
    if (IsSet(prefixOption) || IsSet(winePrefix)) {
        decision.kind = PrefixDecision::Kind::kGiven;
        decision.folder = IsSet(prefixOption) ? *prefixOption : *winePrefix;
        return decision;
    }
    decision.choices = platform::posix::PrefixesHoldingTrassimo(found);
    if (decision.choices.size() == 1) {
        decision.kind = PrefixDecision::Kind::kFound;
        decision.folder = decision.choices.front().folder;
    } else if (decision.choices.size() > 1) {
        decision.kind = PrefixDecision::Kind::kAsk;
    }
    return decision;
}

}  // namespace quorvel::app
