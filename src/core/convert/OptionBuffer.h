#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/convert/ConversionJob.h"

namespace vexlor {

inline constexpr std::size_t kOptionBufferSize = 256;

// The bytes of buffer_option.prog while a converter fills them. Numbers are big-endian;
// writes beyond the end are dropped, so a long chip name cannot overrun the buffer.
class OptionBuffer {
  public:
    OptionBuffer() : bytes_(kOptionBufferSize, 0) {}
    // Starts from a template; shorter templates are padded with zeros to the header size.
    explicit OptionBuffer(std::span<const std::uint8_t> prototype);

    void put8(std::size_t offset, std::uint32_t value);
    void put16(std::size_t offset, std::uint32_t value);
    void put32(std::size_t offset, std::uint32_t value);
    void putBytes(std::size_t offset, std::span<const std::uint8_t> bytes);
    void putText(std::size_t offset, std::string_view text);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Production mode at 0x4E and the packed count at 0x50. Display Serial Number turns Mass
// Production Mode off; Mass Production Mode wins over Production Limit.
void putProductionFields(OptionBuffer& option, const JobFlags& flags);
// Serial-number bytes 0x35-0x3A and 0x60-0x7F from the same offsets of the serial block.
void putSerialBytes(OptionBuffer& option, std::span<const std::uint8_t> serialBlock);
// The conversion time at 0xC0, eight 16-bit values low byte first.
void putLocalTime(OptionBuffer& option, const LocalTime& time);

inline constexpr std::uint8_t kWriterModelKLW20 = 0x5A;
inline constexpr std::uint8_t kWriterModelKLW21 = 0x5B;
inline constexpr std::size_t kWriterModelOffset = 0xCF;
inline std::uint8_t writerModelCode(bool klw20) {
    return klw20 ? kWriterModelKLW20 : kWriterModelKLW21;
}

}  // namespace vexlor
