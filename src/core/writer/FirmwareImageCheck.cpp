#include "core/writer/FirmwareImageCheck.h"

#include "core/base/Diagnostics.h"
#include "core/writer/Writer.h"

namespace vexlor {

std::string FirmwareImageProblem(std::span<const std::uint8_t> image) {
    constexpr std::size_t kModelCodeKLW20At = 0xFA8F;
    constexpr std::size_t kModelCodeKLW21At = 0xFA90;
    if (image.size() != kFirmwareImageSize) {
        return format("it is not %u bytes long", kFirmwareImageSize);
    }
    if (image[kModelCodeKLW20At] != 0x5A && image[kModelCodeKLW21At] != 0x5B) {
        return "it carries no writer model code";
    }
    return {};
}

}  // namespace vexlor
