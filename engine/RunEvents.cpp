#include "engine/RunEvents.h"

namespace quorvel {

void RunEvents::Observe(const RunEvent& /*event*/) {}

}  // namespace quorvel
