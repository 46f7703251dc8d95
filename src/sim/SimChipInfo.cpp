#include "sim/SimChipInfo.h"

#include <algorithm>

namespace vexlor::sim {

namespace {

std::uint16_t wordAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void putWord(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::uint16_t jobSystemConfig(std::span<const std::uint8_t> optionArea) {
    return wordAt(optionArea, chipinfo::kConfigWord);
}

void recordChipInfo(std::span<std::uint8_t> optionArea, const SimChip& chip, std::size_t length) {
    const auto cells = chip.contents().first(std::min(length, chip.contents().size()));
    std::uint16_t byteSum = 0;
    std::uint16_t wordSum = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        byteSum = static_cast<std::uint16_t>(byteSum + cells[i]);
        wordSum = static_cast<std::uint16_t>(wordSum + (i % 2 == 0 ? cells[i] << 8 : cells[i]));
    }
    putWord(optionArea, chipinfo::kSystemConfig, chip.systemConfig());
    putWord(optionArea, chipinfo::kFirstChecksum, byteSum);
    putWord(optionArea, chipinfo::kId, wordAt(optionArea, chipinfo::kDeviceId));
    putWord(optionArea, chipinfo::kSecondChecksum, wordSum);
}

}  // namespace vexlor::sim
