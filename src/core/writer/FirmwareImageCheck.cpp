#include "core/writer/FirmwareImageCheck.h"

#include "core/base/Diagnostics.h"
#include "core/writer/Writer.h"

namespace vexlor {

std::string FirmwareImageProblem(std::span<const std::uint8_t> image) {
    if (image.size() != kFirmwareImageSize) {
        return format("it is not %u bytes long", kFirmwareImageSize);
    }
    if (!HasWriterModelCode(image[kModelCodeKLW20At], image[kModelCodeKLW21At])) {
        return "it carries no writer model code";
    }
    return {};
}

}  // namespace vexlor
