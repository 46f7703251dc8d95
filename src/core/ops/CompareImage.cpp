#include "core/ops/CompareImage.h"

#include "core/base/Diagnostics.h"
#include "core/convert/ByteFiles.h"
#include "core/convert/EepromImage.h"
#include "core/convert/FileFilters.h"
#include "core/convert/HexImage.h"
#include "core/convert/InsideNumberDispatch.h"
#include "core/convert/WorkFiles.h"

namespace vexlor {

namespace {

constexpr const char* kCaption = "Message";
constexpr std::size_t kOtpHeaderSize = 0x20;
// Low byte of the configuration word as the writer holds it; bit 0 is the protect choice.
constexpr std::size_t kHeldConfigLow = 0x25;

std::optional<Bytes> configWordImage(const Bytes& file, const ConfigWordFamily& family,
                                     const OptionHeader& header) {
    const std::size_t configEnd = family.configOffset + (family.configIsByte ? 1 : 2);
    const std::size_t dataEnd = kOtpHeaderSize + 2 * family.dataWords;
    if (file.size() < std::max(configEnd, dataEnd)) {
        return std::nullopt;
    }
    const auto protect = static_cast<std::uint8_t>(header[kHeldConfigLow] | 0xFE);
    const std::uint8_t high = family.configIsByte ? 0x00 : file[family.configOffset + 1];
    Bytes image{static_cast<std::uint8_t>(file[family.configOffset] & protect), high};
    image.insert(image.end(), file.begin() + kOtpHeaderSize,
                 file.begin() + static_cast<std::ptrdiff_t>(dataEnd));
    return image;
}

std::optional<Bytes> plainImage(const Bytes& file, std::string_view filter,
                                const std::optional<ConfigWordFamily>& configWord,
                                const OptionHeader& header) {
    if (configWord) {
        return configWordImage(file, *configWord, header);
    }
    if (filter == kOtpFilter) {
        if (file.size() < kOtpHeaderSize) {
            return std::nullopt;
        }
        return Bytes(file.begin() + kOtpHeaderSize, file.end());
    }
    return file;
}

bool readsAsHex(std::string_view filter, const std::filesystem::path& programFile) {
    return filter == kHexFilter || (filter == kHexOrBinFilter && hasExtension(programFile, ".hex"));
}

// The data area of an EEPROM load: the EEPROM image's table words in a zeroed area.
std::optional<Bytes> eepromAreaImage(JobServices& s, const std::filesystem::path& programFile,
                                     const EepromFamily& family) {
    const std::filesystem::path imagePath =
        sideFilePath(s.context.shell.baseDirectory, programFile, "_new.bin");
    if (!BuildEepromImage(programFile, imagePath, family.eepromName, s.op)) {
        return std::nullopt;
    }
    const std::optional<Bytes> image = readFileBytes(imagePath);
    if (!image || image->size() != kEepromImageSize) {
        s.op.message(format("%s open file error\n", imagePath.string().c_str()), kCaption);
        return std::nullopt;
    }
    Bytes area(family.eepromAreaWords * 2, 0x00);
    std::copy(image->begin() + kEepromNameLength, image->end(),
              area.begin() + static_cast<std::ptrdiff_t>(family.eepromFirstWord * 2));
    return area;
}

}  // namespace

std::optional<std::filesystem::path> MakeCompareImage(JobServices& s,
                                                      const std::filesystem::path& programFile) {
    const ChipDisplayInfo& chip = s.context.chipXml.chipDisplayInfo();
    const std::uint32_t insideNumber = s.context.chipXml.icInfo().Inside_Number;
    const std::filesystem::path imagePath =
        sideFilePath(s.context.shell.baseDirectory, programFile, ".bin");
    const std::string name = programFile.string();
    if (readsAsHex(chip.IC_FileType, programFile)) {
        const HexImageOutcome outcome =
            ConvertHexToImage(programFile, imagePath, HexImageRules{.fillMode = chip.HextoBinMode},
                              s.writer.connection().diagnostics());
        if (outcome.result != 0) {
            s.op.message(format("%s open file error\n%s", name.c_str(), outcome.reason.c_str()),
                         kCaption);
            return std::nullopt;
        }
        return imagePath;
    }
    std::optional<Bytes> image;
    const std::optional<EepromFamily> eeprom = eepromFamilyOf(insideNumber);
    if (eeprom && hasExtension(programFile, ".bin")) {
        image = eepromAreaImage(s, programFile, *eeprom);
        if (!image) {
            return std::nullopt;
        }
    } else {
        const std::optional<Bytes> file = readFileBytes(programFile);
        if (!file) {
            s.op.message(format("%s open file error\n", name.c_str()) + sizeLimitNote(programFile),
                         kCaption);
            return std::nullopt;
        }
        image = plainImage(*file, chip.IC_FileType, configWordFamilyOf(insideNumber),
                           s.context.link.optionHeader);
    }
    if (!image) {
        s.op.message(format("%s is too short for %s", name.c_str(),
                            s.context.shell.job.chipNameText.c_str()),
                     kCaption);
        return std::nullopt;
    }
    if (!writeFileBytes(imagePath, *image)) {
        s.op.message(format("%s open file error\n", imagePath.string().c_str()), kCaption);
        return std::nullopt;
    }
    return imagePath;
}

}  // namespace vexlor
