// Undoing one recorded install: the files it created removed, the files it replaced and the
// texture catalogue brought back, each only where it is still what that install left there;
// the folders it created removed when they are empty. What changed since is left as it is and
// named. Every step can be done again: an undo that was killed is run again to its end.
#pragma once

#include <string>
#include <vector>

#include "app/history/HistoryReader.h"
#include "platform/Host.h"

namespace quorvel::app::history {

struct UndoOutcome {
    std::vector<std::string> leftAlone;  // German, UTF-8: one line for each thing left as it is
    std::vector<std::string> failed;     // German, UTF-8: steps that could not be done
};

UndoOutcome UndoInstall(platform::Host& host, const RecordedInstall& install);

}  // namespace quorvel::app::history
