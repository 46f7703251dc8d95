#pragma once

#include <cstdint>

#include "core/writer/CommandSet.h"

namespace vexlor::sim {

namespace command = vexlor::cmd;
namespace job = vexlor::job;

// Job status byte values (low two bits).
namespace status {
inline constexpr std::uint8_t kBusy = 0;
inline constexpr std::uint8_t kOk = 1;
inline constexpr std::uint8_t kFail = 3;
}  // namespace status

// Commands whose data phase flows from the writer to the host.
constexpr bool isInCommand(std::uint8_t code) {
    return code == command::kVersion || code == command::kVoltage || code == command::kReadMemory ||
           code == command::kReadArea || code == command::kJobStatus || code == command::kJobData ||
           code == command::kHardwareId;
}

}  // namespace vexlor::sim
