#include "core/ops/ChipInfo.h"

#include <algorithm>

#include "core/base/Diagnostics.h"
#include "core/ops/OperationChecks.h"

namespace vexlor {

namespace {

constexpr std::size_t kSystemConfigFlags = 30;
constexpr std::size_t kChecksumChoice = 36;
constexpr std::size_t kInfoUnsupported = 38;
constexpr std::size_t kChecksumRule = 41;
constexpr std::size_t kExtraChecksumKind = 77;
constexpr std::size_t kSystemConfigHigh = 248;
constexpr std::size_t kFirstChecksumHigh = 250;
constexpr std::size_t kIdHigh = 252;
constexpr std::size_t kSecondChecksumHigh = 254;
constexpr std::uint8_t kSystemConfigNotSupported = 18;

unsigned word(const OptionHeader& h, std::size_t highOffset) {
    return h[highOffset] * 256u + h[highOffset + 1];
}

unsigned lowNibble(std::uint8_t value) {
    return value & 0x0Fu;
}

std::string checksumText(const OptionHeader& h) {
    const unsigned first = word(h, kFirstChecksumHigh);
    const unsigned second = word(h, kSecondChecksumHigh);
    if ((h[kMemoryKindOffset] & 0xF0) != 0) {
        switch (lowNibble(h[kExtraChecksumKind])) {
            case 1:
                return format("Checksum : %04x   /   User Checksum : %04x", first, second);
            case 2:
                return format("Checksum : %04x   /   Library Checksum : %04x", second, first);
            default:
                return format("Checksum : %04x", second);
        }
    }
    const bool showSecond = lowNibble(h[kChecksumRule]) == 0 ? (h[kSystemConfigHigh] & 0x10) != 0
                                                             : (h[kChecksumChoice] & 0x40) != 0;
    return format("Checksum : %04x", showSecond ? second : first);
}

}  // namespace

bool ChipInfoSupported(const OptionHeader& header) {
    return lowNibble(header[kInfoUnsupported]) == 0;
}

std::uint16_t SystemConfigWord(const OptionHeader& header) {
    return static_cast<std::uint16_t>(word(header, kSystemConfigHigh));
}

bool HasSystemConfig(const OptionHeader& header) {
    return lowNibble(header[kSystemConfigFlags]) != 0;
}

ChipInfoLabels ChipInfoOpeningLabels(bool supported, const OptionHeader& header) {
    if (!supported) {
        return {"NO Support", "", "", ""};
    }
    if (!HasSystemConfig(header)) {
        return {std::nullopt, std::nullopt, "", ""};
    }
    return {};
}

ChipInfoLabels ChipInfoReadingLabels(const OptionHeader& header) {
    ChipInfoLabels labels{"Chip Name : ", "System Config : ", std::nullopt, std::nullopt};
    if (HasSystemConfig(header)) {
        labels.checksum = "Checksum : ";
        labels.id = "ID : ";
    }
    return labels;
}

ChipInfoLabels ChipInfoReadLabels(const OptionHeader& h) {
    ChipInfoLabels labels;
    labels.chipName = "Chip Name : " + StoredChipName(h);
    if (!ChipInfoSupported(h)) {
        return labels;
    }
    if (!HasSystemConfig(h)) {
        labels.systemConfig = format("System Config : %x", h[kSystemConfigHigh]);
        return labels;
    }
    labels.systemConfig = h[kSystemConfigFlags] == kSystemConfigNotSupported
                              ? "System Config : NO Support"
                              : format("System Config : %04x", SystemConfigWord(h));
    labels.checksum = checksumText(h);
    labels.id = format("ID : %04x", word(h, kIdHigh));
    return labels;
}

bool OnReadChipInfoRead(JobServices& s, ChipInfoView& view) {
    OptionHeader& header = s.context.link.optionHeader;
    view.setButtonsEnabled(false);
    view.showLabels(ChipInfoReadingLabels(header));
    const std::int32_t timeout = s.context.chipXml.icInfo().Verify_Timeout;
    // FAIL only says the chip differs from the download; its information is read all the same.
    s.writer.RunWriterJob(job::kVerify, static_cast<std::uint32_t>(std::max(timeout, 0)));
    const bool reachable = s.context.link.writerConnected;
    if (reachable) {
        s.writer.BusyWait(1000);
        s.writer.ReadOptionHeader(header);
        view.showLabels(ChipInfoReadLabels(header));
    }
    view.setButtonsEnabled(true);
    s.writer.connection().progress().setPosition(0);
    return reachable;
}

}  // namespace vexlor
