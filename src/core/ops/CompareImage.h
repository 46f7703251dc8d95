#pragma once

#include <filesystem>
#include <optional>

#include "core/ops/JobServices.h"

namespace vexlor {

// Turns the program file the operator chose into the plain image the writer's data area is
// compared with, written into the conversion work directory (never over the operator's
// files). The chip's file-type filter picks the reading:
// - Intel HEX: the HEX reader with the chip's HextoBinMode as fill mode;
// - QR64G98: its configuration byte (image offset 0x201F) as a low-byte-first word, the
//   protect bit taken from the option word the writer holds, then its 0xFFF data words from
//   offset 0x20 as the file has them: the layout of the download with each word in file order,
//   which the swapped word compare matches;
// - OTP images: the data behind the 32-byte header, which is what the OTP converters download;
// - object, EPM, NCE, maker-format and raw files: the file's own bytes, as the converters and
//   converter libraries take them.
// nullopt after a message when the file cannot be read or converted.
std::optional<std::filesystem::path> MakeCompareImage(JobServices& services,
                                                      const std::filesystem::path& programFile);

}  // namespace vexlor
