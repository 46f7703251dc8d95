#include "core/convert/OptionBuffer.h"

#include <algorithm>

namespace vexlor {

OptionBuffer::OptionBuffer(std::span<const std::uint8_t> prototype)
    : bytes_(prototype.begin(), prototype.end()) {
    if (bytes_.size() < kOptionBufferSize) {
        bytes_.resize(kOptionBufferSize, 0);
    }
}

void OptionBuffer::put8(std::size_t offset, std::uint32_t value) {
    if (offset < bytes_.size()) {
        bytes_[offset] = static_cast<std::uint8_t>(value & 0xFF);
    }
}

void OptionBuffer::put16(std::size_t offset, std::uint32_t value) {
    put8(offset, value >> 8);
    put8(offset + 1, value);
}

void OptionBuffer::put32(std::size_t offset, std::uint32_t value) {
    put16(offset, value >> 16);
    put16(offset + 2, value);
}

void OptionBuffer::putBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        put8(offset + i, bytes[i]);
    }
}

void OptionBuffer::putText(std::size_t offset, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        put8(offset + i, static_cast<std::uint8_t>(text[i]));
    }
}

void putProductionFields(OptionBuffer& option, const JobFlags& flags) {
    const bool mass = flags.massProduction && !flags.displaySerialNumber;
    std::uint8_t mode = 0;
    if (mass) {
        mode = 0x10;
    } else if (flags.productionLimit) {
        mode = 0x11;
    }
    option.put8(0x4E, mode);
    if (flags.productionLimit) {
        option.put32(0x50, flags.packedCount);
    }
}

void putSerialBytes(OptionBuffer& option, std::span<const std::uint8_t> serialBlock) {
    const auto copyRange = [&](std::size_t first, std::size_t last) {
        for (std::size_t offset = first; offset <= last && offset < serialBlock.size(); ++offset) {
            option.put8(offset, serialBlock[offset]);
        }
    };
    copyRange(0x35, 0x3A);
    copyRange(0x60, 0x7F);
}

void putLocalTime(OptionBuffer& option, const LocalTime& time) {
    const std::uint16_t values[] = {time.year, time.month,  time.dayOfWeek, time.day,
                                    time.hour, time.minute, time.second,    time.millisecond};
    std::size_t offset = 0xC0;
    for (std::uint16_t value : values) {
        option.put8(offset++, value & 0xFF);
        option.put8(offset++, value >> 8);
    }
}

}  // namespace vexlor
