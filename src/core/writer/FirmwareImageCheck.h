#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vexlor {

// Why bytes cannot be a writer firmware image: not exactly the image size, or neither writer
// model code in place (0x5A at 0xFA8F, or 0x5B at 0xFA90), the check the firmware update
// makes. Empty when they can.
std::string FirmwareImageProblem(std::span<const std::uint8_t> image);

}  // namespace vexlor
