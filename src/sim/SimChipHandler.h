#pragma once

#include <cstdint>

#include "core/base/Clock.h"
#include "core/production/ChipSocket.h"
#include "sim/SimChip.h"

namespace vexlor::sim {

// The hands at the simulated writer's socket: the chip in it at the start is the first; after
// that each programmed chip is taken out and a blank one put in refillMs later. The wait
// watches the socket's chip-present state on the clock.
class SimChipHandler final : public ChipSocket {
  public:
    static constexpr std::uint32_t kRefillMs = 800;
    static constexpr std::uint32_t kPollMs = 100;

    SimChipHandler(SimChip& chip, Clock& clock) : chip_(chip), clock_(clock) {}
    bool awaitChip() override;

  private:
    SimChip& chip_;
    Clock& clock_;
    bool first_ = true;
};

}  // namespace vexlor::sim
