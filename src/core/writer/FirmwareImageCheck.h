#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vexlor {

inline constexpr std::size_t kModelCodeKLW20At = 0xFA8F;
inline constexpr std::size_t kModelCodeKLW21At = 0xFA90;

// 0x5A where the KLW20 code sits, or 0x5B where the KLW21 code sits.
constexpr bool HasWriterModelCode(std::uint8_t atKLW20, std::uint8_t atKLW21) {
    return atKLW20 == 0x5A || atKLW21 == 0x5B;
}

// Why bytes cannot be a writer firmware image: not exactly the image size, or neither writer
// model code in place (0x5A at 0xFA8F, or 0x5B at 0xFA90), the check the firmware update
// makes. Empty when they can.
std::string FirmwareImageProblem(std::span<const std::uint8_t> image);

}  // namespace vexlor
