#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/maint/MaintServices.h"

namespace vexlor {

// K, L, W, two model bytes and a 24-bit hardware number (high byte first).
using HardwareId = std::array<std::uint8_t, 8>;

// Only the access library knows the identification read; nullopt on the own path or when the
// writer does not answer. What was read is printed as a diagnostic line.
std::optional<HardwareId> ReadHardwareId(Writer& writer);

// "KLW2x", "KLW300" or "KLW300A"; empty when the bytes name no model.
std::string_view HardwareModelName(const HardwareId& id);

// The text Read Hardware ID shows.
std::string HardwareIdMessage(const std::optional<HardwareId>& id);

MaintOutcome OnReadHardwareId(MaintServices& s);

}  // namespace vexlor
