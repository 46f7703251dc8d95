#include "sim/SimOptionArea.h"

#include <algorithm>

namespace vexlor::sim {

using namespace option;

bool productionLimitActive(std::span<const std::uint8_t> area) {
    return area.size() > kLimitState && (area[kProductionMode] & 0x11) == kProductionLimit;
}

bool productionLimitReached(std::span<const std::uint8_t> area) {
    return area.size() > kLimitState && (area[kLimitState] >> 4) == 0x1;
}

namespace {
bool countIsZero(std::span<const std::uint8_t> area) {
    return std::all_of(area.begin() + kLimitCount, area.begin() + kLimitCount + 4,
                       [](std::uint8_t b) { return b == 0; });
}
void markReached(std::span<std::uint8_t> area) {
    area[kLimitState] = static_cast<std::uint8_t>(0x10 | (area[kLimitState] & 0x0F));
}
}  // namespace

bool productionAllowed(std::span<const std::uint8_t> area) {
    return !productionLimitActive(area) || (!productionLimitReached(area) && !countIsZero(area));
}

void countProducedChip(std::span<std::uint8_t> area) {
    if (!productionLimitActive(area) || productionLimitReached(area)) {
        return;
    }
    if (countIsZero(area)) {
        markReached(area);
        return;
    }
    // Packed decimal, high digits first: borrow through the digits from the right.
    for (std::size_t i = kLimitCount + 4; i-- > kLimitCount;) {
        std::uint8_t low = area[i] & 0x0F;
        std::uint8_t high = area[i] >> 4;
        if (low > 0) {
            --low;
            area[i] = static_cast<std::uint8_t>(high << 4 | low);
            break;
        }
        if (high > 0) {
            area[i] = static_cast<std::uint8_t>((high - 1) << 4 | 9);
            break;
        }
        area[i] = 0x99;
    }
    if (countIsZero(area)) {
        markReached(area);
    }
}

SerialStep nextSerial(std::span<const std::uint8_t> area) {
    SerialStep step;
    if (area.size() < kSerialCurrent + kSerialNumberSize) {
        return step;
    }
    const std::uint8_t mode = area[kSerialMode] >> 4;
    const std::size_t length = area[kSerialLength];
    if ((mode != 1 && mode != 2) || length == 0 || length > kSerialNumberSize) {
        return step;
    }
    step.inUse = true;
    const auto current = area.subspan(kSerialCurrent, kSerialNumberSize);
    const auto end = area.subspan(kSerialEnd, kSerialNumberSize);
    step.exhausted =
        !std::lexicographical_compare(current.begin(), current.end(), end.begin(), end.end());
    step.patch.address =
        static_cast<std::size_t>(area[kSerialAddress]) << 8 | area[kSerialAddress + 1];
    step.patch.bytes.assign(current.end() - static_cast<std::ptrdiff_t>(length), current.end());
    if ((area[kSerialMode] & 0x0F) == kSerialLowByteFirst) {
        std::reverse(step.patch.bytes.begin(), step.patch.bytes.end());
    }
    return step;
}

void advanceSerial(std::span<std::uint8_t> area) {
    for (std::size_t i = kSerialCurrent + kSerialNumberSize; i-- > kSerialCurrent;) {
        if (++area[i] != 0) {
            break;
        }
    }
}

}  // namespace vexlor::sim
