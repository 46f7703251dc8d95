#include "core/ops/CompareImage.h"

#include "core/base/Diagnostics.h"
#include "core/convert/ByteFiles.h"
#include "core/convert/FileFilters.h"
#include "core/convert/HexImage.h"
#include "core/convert/WorkFiles.h"

namespace vexlor {

namespace {

constexpr const char* kCaption = "Message";
constexpr std::size_t kOtpHeaderSize = 0x20;
constexpr std::string_view kConfigByteChip = "QR64G98";
constexpr std::size_t kConfigByteOffset = 0x201F;
constexpr std::size_t kConfigByteChipWords = 0xFFF;
// Low byte of the configuration word as the writer holds it; bit 0 is the protect choice.
constexpr std::size_t kHeldConfigLow = 0x25;

std::optional<Bytes> configByteChipImage(const Bytes& file, const OptionHeader& header) {
    const std::size_t dataEnd = kOtpHeaderSize + 2 * kConfigByteChipWords;
    if (file.size() <= kConfigByteOffset || file.size() < dataEnd) {
        return std::nullopt;
    }
    const auto protect = static_cast<std::uint8_t>(header[kHeldConfigLow] | 0xFE);
    Bytes image{static_cast<std::uint8_t>(file[kConfigByteOffset] & protect), 0x00};
    image.insert(image.end(), file.begin() + kOtpHeaderSize, file.begin() + dataEnd);
    return image;
}

std::optional<Bytes> plainImage(const Bytes& file, std::string_view filter, bool configByteChip,
                                const OptionHeader& header) {
    if (configByteChip) {
        return configByteChipImage(file, header);
    }
    if (filter == kOtpFilter) {
        if (file.size() < kOtpHeaderSize) {
            return std::nullopt;
        }
        return Bytes(file.begin() + kOtpHeaderSize, file.end());
    }
    return file;
}

}  // namespace

std::optional<std::filesystem::path> MakeCompareImage(JobServices& s,
                                                      const std::filesystem::path& programFile) {
    const ChipDisplayInfo& chip = s.context.chipXml.chipDisplayInfo();
    const std::filesystem::path imagePath =
        sideFilePath(s.context.shell.baseDirectory, programFile, ".bin");
    const std::string name = programFile.string();
    if (chip.IC_FileType == kHexFilter) {
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
    const std::optional<Bytes> file = readFileBytes(programFile);
    if (!file) {
        s.op.message(format("%s open file error\n", name.c_str()) + sizeLimitNote(programFile),
                     kCaption);
        return std::nullopt;
    }
    const std::optional<Bytes> image =
        plainImage(*file, chip.IC_FileType, s.context.shell.job.chipNameText == kConfigByteChip,
                   s.context.link.optionHeader);
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
