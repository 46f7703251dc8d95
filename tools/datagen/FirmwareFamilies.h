#pragma once

#include <optional>
#include <string_view>

#include "FirmwareImage.h"

namespace vexlor::datagen {

// The family images the catalogue's FW_File keys name, each with its own family word and
// version so that changing family makes the writer load new firmware.
std::optional<FirmwareIdentity> FamilyFirmware(std::string_view fwFile);

// Images below the base directory that are not chip families.
inline constexpr FirmwareIdentity kBaseFirmware{0x0000, 0x0100};  // firmware/20test.nce
inline constexpr FirmwareIdentity kStopFirmware{0x00FF, 0x0001};  // teststop.nce
inline constexpr FirmwareIdentity kTestFirmware{0x00FE, 0x0002};  // test.nce

}  // namespace vexlor::datagen
