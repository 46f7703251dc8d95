#pragma once

#include <cstdint>
#include <span>

namespace vexlor {

// Fills every byte from the descriptor, going on after interruptions and short reads; false
// when the descriptor ends or fails first.
bool ReadAll(int fd, std::span<std::uint8_t> bytes);

// Writes every byte to the descriptor, going on after interruptions and short writes; false
// when the descriptor refuses the rest.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes);

}  // namespace vexlor
