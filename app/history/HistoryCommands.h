// The commands "history" and "undo": the installs recorded in the Trassimo found, as the
// install finds it, listed, undone and their back-ups deleted.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>

#include "platform/Host.h"

namespace quorvel::app::history {

// Lists the installs, or with `forget` deletes the back-ups of install N. Status 0; 2 when
// Trassimo is not found or there is no install N.
int RunHistoryCommand(platform::Host& machine, std::optional<std::size_t> forget, std::ostream& out,
                      std::ostream& err);

// Undoes install N, or the last one not undone yet. Status 0; 1 when something changed since
// was left as it is or a step failed; 2 when Trassimo is not found or there is no install N.
int RunUndoCommand(platform::Host& machine, std::optional<std::size_t> number, std::ostream& out,
                   std::ostream& err);

}  // namespace quorvel::app::history
