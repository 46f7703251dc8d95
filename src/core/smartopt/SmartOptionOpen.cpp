#include "core/smartopt/SmartOptionOpen.h"

#include <algorithm>

#include "core/base/PlainFileName.h"
#include "core/smartopt/DecoderProcess.h"
#include "core/smartopt/OptionDefinitionCodec.h"
#include "core/smartopt/OptionSelections.h"

namespace vexlor {

namespace {

constexpr std::size_t kChipNameBytes = 10;

// A missing or failed decoder leaves no file, and the reader says so.
std::vector<SysCfgField> readDefinitions(SmartOptionServices& s, const std::string& chipName) {
    const std::filesystem::path directory = s.baseDirectory / "tin" / "QR46IC";
    const std::filesystem::path encoded = directory / (chipName + ".IC");
    const std::filesystem::path decoded = directory / DecodedDefinitionName(encoded);
    // A file left by an earlier run must not pass for this run's output.
    std::error_code ignored;
    std::filesystem::remove(decoded, ignored);
    if (const auto decoder = FindOptionDecoder(s.decoderDirectories)) {
        RunOptionDecoder(*decoder, encoded, directory, s.clock, kDecoderLimitMs);
    }
    s.chipXml.ReadSysCfgOptions(decoded);
    return s.chipXml.sysCfgFields();
}

std::filesystem::path templatePath(const SmartOptionServices& s, OptionSource source,
                                   const std::string& chipName) {
    const std::filesystem::path tin = s.baseDirectory / "tin";
    return (source == OptionSource::QR31Template ? tin / "QR31IC" : tin) / (chipName + ".tin");
}

}  // namespace

OptionSource OptionSourceOf(std::string_view chipType) {
    if (chipType == "27" || chipType == "28" || chipType == "USB") {
        return OptionSource::Definition;
    }
    return chipType == "37" ? OptionSource::QR31Template : OptionSource::ChipTemplate;
}

std::string WriterChipName(const std::array<std::uint8_t, kOptionHeaderSize>& header) {
    const auto end = std::find(header.begin(), header.begin() + kChipNameBytes, 0);
    return std::string(header.begin(), end);
}

std::optional<SmartOptionPage> OpenSmartOption(SmartOptionServices& s, const std::string& chipName,
                                               std::uint32_t word) {
    s.writer.ReadOptionHeader(s.optionHeader);
    if (WriterChipName(s.optionHeader) != chipName) {
        s.op.message("HW and SW Chip Name is discordant", "Message", MessageIcon::Exclamation);
        return std::nullopt;
    }
    const OptionSource source = OptionSourceOf(s.chipXml.icInfo().ChipType);
    // The name goes into data paths; one that could leave the data folders has no options.
    const bool usableName = IsPlainFileName(chipName);
    if (source == OptionSource::Definition) {
        s.block = SmartOptionBlock{};
        return DefinitionPage(
            usableName ? readDefinitions(s, chipName) : std::vector<SysCfgField>{}, word);
    }
    if (usableName) {
        ParseOptionTemplate(templatePath(s, source, chipName), s.block);
    } else {
        s.block = SmartOptionBlock{};
    }
    SelectFromSystemConfig(s.block, word, chipName);
    return TemplatePage(s.block, word);
}

}  // namespace vexlor
