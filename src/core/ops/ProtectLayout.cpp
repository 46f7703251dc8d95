#include "core/ops/ProtectLayout.h"

#include <algorithm>

#include "core/convert/ByteFiles.h"

namespace vexlor {

namespace {

std::int32_t bit(std::uint8_t value, int index) {
    return (value >> index) & 1;
}

void setBit(std::uint8_t& value, int index, bool on) {
    const auto mask = static_cast<std::uint8_t>(1u << index);
    value = static_cast<std::uint8_t>(on ? value | mask : value & ~mask);
}

void setWordBit(std::uint32_t& value, int index, bool on) {
    const std::uint32_t mask = 1u << index;
    value = on ? value | mask : value & ~mask;
}

void setLowTwoBits(std::uint8_t& value, std::uint8_t bits) {
    value = static_cast<std::uint8_t>((value & ~0x03) | bits);
}

}  // namespace

std::optional<FuseValues> ApplyProtectChoice(std::int32_t mode, bool protect, OptionHeader& h,
                                             std::uint32_t& w) {
    // A set protect bit means "Unprotect" in every layout but 3, 6 and 7.
    switch (mode) {
        case 1:
            setBit(h[36], 0, !protect);
            return FuseValues{bit(h[36], 0)};
        case 2:
            setBit(h[37], 0, !protect);
            return FuseValues{bit(h[37], 0)};
        case 3:
            setBit(h[43], 0, protect);
            return FuseValues{bit(static_cast<std::uint8_t>(~h[43]), 0)};
        case 4:
            if (protect) {
                setBit(h[130], 0, false);
            } else {
                setLowTwoBits(h[130], 0x01);
            }
            return FuseValues{bit(h[130], 0)};
        case 5:
            setBit(h[36], 0, !protect);
            return FuseValues{bit(h[36], 0), bit(h[36], 1), bit(h[36], 2)};
        case 6:
            setBit(h[36], 7, protect);
            setWordBit(w, 15, protect);
            return std::nullopt;
        case 7:
            setBit(h[36], 5, protect);
            setWordBit(w, 13, protect);
            return std::nullopt;
        case 8:
            setBit(h[36], 7, !protect);
            setWordBit(w, 15, !protect);
            return std::nullopt;
        case 9:
            setLowTwoBits(h[130], protect ? 0x03 : 0x01);
            return FuseValues{static_cast<std::uint8_t>(~h[130]) & 0x03};
        case 10:
            setBit(h[37], 7, !protect);
            setWordBit(w, 7, !protect);
            return std::nullopt;
        default:
            setBit(h[36], 5, !protect);
            setWordBit(w, 13, !protect);
            return std::nullopt;
    }
}

bool StampProtectChoice(const std::filesystem::path& optionBuffer, std::int32_t setProtectMode,
                        bool protect) {
    std::optional<Bytes> bytes = readFileBytes(optionBuffer);
    if (!bytes) {
        return false;
    }
    OptionHeader header{};
    const std::size_t used = std::min(bytes->size(), header.size());
    std::copy_n(bytes->begin(), used, header.begin());
    if (!FuseValuesFromHeader(setProtectMode, header)) {
        return true;
    }
    std::uint32_t unusedWord = 0;
    ApplyProtectChoice(setProtectMode, protect, header, unusedWord);
    std::copy_n(header.begin(), used, bytes->begin());
    return writeFileBytes(optionBuffer, *bytes);
}

}  // namespace vexlor
