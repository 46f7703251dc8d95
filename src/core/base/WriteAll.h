#pragma once

#include <cstdint>
#include <span>

namespace vexlor {

// Writes every byte to the descriptor, going on after interruptions and short writes; false
// when the descriptor refuses the rest.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes);

}  // namespace vexlor
