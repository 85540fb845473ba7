// The lock every run of the installer holds on Trassimo's texture catalogue from before it
// reads it until after it has written it back, so that two runs at once cannot lose each
// other's entries: the second waits its turn. It is the host's lock on a file beside the
// catalogue, "<catalogue>.lock"; the catalogue itself is replaced by a rename on every save,
// so a lock on it would not outlast the first save. The lock ends with its owner, also when
// the run is killed: a lock file left behind is simply locked again by the next run.
#pragma once

#include <chrono>
#include <string>

#include "platform/Host.h"

namespace quorvel {

// How long a run waits for another to finish with the catalogue before its texture stage
// fails: far longer than any merge takes.
inline constexpr std::chrono::milliseconds kCatalogueLockWait = std::chrono::minutes(2);

std::string CatalogueLockPath(const std::string& cataloguePath);

// Takes the lock for the catalogue `cataloguePath`, trying again while another run holds it,
// for at most `wait`. The lock, or the error: kLockViolation when the wait ran out. `waited`
// tells whether another run held it at first.
platform::Result<platform::UniqueFile> LockCatalogue(platform::Host& host,
                                                     const std::string& cataloguePath,
                                                     std::chrono::milliseconds wait, bool* waited);

}  // namespace quorvel
