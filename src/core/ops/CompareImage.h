#pragma once

#include <filesystem>
#include <optional>

#include "core/ops/JobServices.h"

namespace vexlor {

// Turns the program file the operator chose into the plain image the writer's data area is
// compared with, written into the conversion work directory (never over the operator's
// files). Each reading gives what the chip's converter downloads, with words in the file's
// byte order; the chip's option header says whether the writer holds them swapped. The chip's
// file-type filter and converter pick the reading:
// - Intel HEX (the Hex filter, or a ".hex" file under the Hex-or-Bin filter): the HEX reader
//   with the chip's HextoBinMode, which is also the fill mode of the chip's converter;
// - the configuration-word OTP chips (QR64G98, QR64S27, QR6401): the configuration word
//   first, low byte first (QR64G98's single byte as the low byte), its protect bit taken from
//   the option word the writer holds, then the converter's data words from offset 0x20;
// - an EEPROM chip's ".bin" data EEPROM: its EEPROM image's table words placed in a zeroed
//   area as the converter places them;
// - other OTP images: the data behind the 32-byte header;
// - object, EPM, NCE, maker-format and raw files: the file's own bytes, as the converters and
//   converter libraries take them.
// nullopt after a message when the file cannot be read or converted.
std::optional<std::filesystem::path> MakeCompareImage(JobServices& services,
                                                      const std::filesystem::path& programFile);

}  // namespace vexlor
