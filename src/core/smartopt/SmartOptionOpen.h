#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Clock.h"
#include "core/base/Operator.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/smartopt/SmartOptionPage.h"
#include "core/writer/Writer.h"

namespace vexlor {

// Where a chip's option items are described, by its family code.
enum class OptionSource { Definition, QR31Template, ChipTemplate };
OptionSource OptionSourceOf(std::string_view chipType);

// The decoder gets this long to leave its file; it normally needs a few milliseconds.
inline constexpr std::uint32_t kDecoderLimitMs = 5000;

// What opening the Smart Option dialog reads and writes.
struct SmartOptionServices {
    Writer& writer;
    Operator& op;
    Clock& clock;
    ReadChipXml& chipXml;
    SmartOptionBlock& block;
    std::array<std::uint8_t, kOptionHeaderSize>& optionHeader;
    std::filesystem::path baseDirectory;
    // Where the option decoder is looked for, first match wins.
    std::vector<std::filesystem::path> decoderDirectories;
};

// The name of the chip whose data the writer holds: up to 10 bytes, ending at a zero byte.
std::string WriterChipName(const std::array<std::uint8_t, kOptionHeaderSize>& header);

// Checks that the writer holds the selected chip's data, reads the chip's option items from
// its source and returns the dialog's content; nullopt after telling the operator that the
// writer holds another chip.
std::optional<SmartOptionPage> OpenSmartOption(SmartOptionServices& s, const std::string& chipName,
                                               std::uint32_t word);

}  // namespace vexlor
