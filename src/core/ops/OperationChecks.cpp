#include "core/ops/OperationChecks.h"

#include <fstream>

namespace vexlor {

namespace {
constexpr std::uint8_t kReloadNeeded = 0x10;
constexpr std::uint8_t kLimitReached = 0x1;
constexpr std::uint8_t kMtpChip = 17;
constexpr std::uint8_t kFlashChip = 33;
constexpr const char* kCaption = "Message";
}  // namespace

std::string StoredChipName(const OptionHeader& header) {
    std::string name;
    for (std::size_t i = 0; i < kStoredNameLength && header[i] != 0; ++i) {
        name.push_back(static_cast<char>(header[i]));
    }
    return name;
}

bool CheckWriterJob(const OptionHeader& header, std::string_view selectedChip, HeaderChecks checks,
                    Operator& op) {
    const auto refuse = [&](std::string_view text) {
        op.message(text, kCaption, MessageIcon::Exclamation);
        return false;
    };
    if (StoredChipName(header) != selectedChip) {
        return refuse("HW and SW Chip Name is discordant");
    }
    if (checks == HeaderChecks::ChipNameOnly) {
        return true;
    }
    if (header[kJobStateOffset] == kReloadNeeded) {
        return refuse("Please Reload Program File");
    }
    if (header[kChecksumHigh] == 0 && header[kChecksumLow] == 0) {
        return refuse("Please Download File");
    }
    return true;
}

bool ProductionLimitReached(const OptionHeader& header) {
    return (header[kProductionStateOffset] >> 4) == kLimitReached;
}

bool BufferNamesErasableChip(const std::filesystem::path& optionBuffer) {
    std::ifstream file(optionBuffer, std::ios::binary);
    if (!file.seekg(kMemoryKindOffset)) {
        return false;
    }
    char kind = 0;
    if (!file.get(kind)) {
        return false;
    }
    const auto value = static_cast<std::uint8_t>(kind);
    return value == kMtpChip || value == kFlashChip;
}

}  // namespace vexlor
