#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/chipdb/ICInfo.h"

namespace vexlor {

// Chips whose serial number must lie at an even address with an even length.
bool InEvenSerialSet(std::string_view chipName);
// Chips whose serial number is four bytes at a fixed address.
bool InFixedSerialSet(std::string_view chipName);
// Word-addressed chips: a serial number takes half as many addresses as it has bytes.
bool InHalfAddressSerialSet(std::string_view chipName);

// Where a serial number may lie in the chip. nullopt when the placement is allowed, else the
// message that refuses it.
std::optional<std::string> CheckSerialPlacement(std::string_view chipName, const ICInfo& chip,
                                                std::uint32_t startAddress,
                                                std::uint8_t lengthBytes);

}  // namespace vexlor
