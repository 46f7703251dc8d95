#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/base/Diagnostics.h"
#include "core/convert/ByteFiles.h"

namespace vexlor {

// Size of the memory image the Intel HEX reader fills.
inline constexpr std::size_t kHexImageSize = 65556;

// Blank content of the image before the records are stored.
enum class HexFillMode : int {
    Blank0xFF = 1,       // every byte 0xFF
    Blank14BitWord = 2,  // pairs 0xFF, 0x3F; word-addressed files scale addresses by 2
    Blank0x00 = 3,       // every byte 0x00; word-addressed files scale addresses by 2
};

// How one HEX file is read for one converter.
struct HexImageRules {
    int fillMode = 1;  // values other than 2 and 3 behave as 1
    // When non-zero, fixes the number of bytes written.
    std::uint32_t lengthOverride = 0;
    // The converter reads nothing at or above this image address; data there is refused
    // rather than silently left out of the chip.
    std::size_t readLimit = kHexImageSize;
    // Go on despite wrong record checksums and a missing end-of-file record.
    bool acceptDamaged = false;
};

struct HexImageOutcome {
    int result = 0;      // 0 success, 1 failure
    std::string reason;  // why it failed: "line N: ..." or a whole sentence; empty on success
    // The file failed only its record checksums or end-of-file record, which the operator
    // may choose to accept.
    bool damagedOnly = false;
    Bytes image;  // the bytes written to the output file, on success
};

// Reads an Intel HEX file into a flat image, writes it to outputPath and hands it back. Every
// record is checked (characters, count, checksum, type); a file that cannot be read exactly is
// refused and nothing is written. The reason also goes out as a diagnostic line.
HexImageOutcome ConvertHexToImage(const std::filesystem::path& inputPath,
                                  const std::filesystem::path& outputPath,
                                  const HexImageRules& rules, const Diagnostics& diagnostics);

}  // namespace vexlor
