#include "sim/SimChipHandler.h"

namespace vexlor::sim {

bool SimChipHandler::awaitChip() {
    if (!first_) {
        chip_.remove();
    }
    first_ = false;
    const std::uint64_t refillAt = clock_.tickMs() + kRefillMs;
    while (!chip_.present()) {
        clock_.busyWait(kPollMs);
        if (clock_.tickMs() >= refillAt) {
            chip_.insertBlank();
        }
    }
    return true;
}

}  // namespace vexlor::sim
