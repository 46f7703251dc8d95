#include "core/convert/FamilyConverters.h"
#include "core/convert/FamilySession.h"

namespace vexlor {

int convertConfigWordFamily(const ConversionJob& job, ConversionOutput& out,
                            const ConfigWordFamily& family) {
    constexpr std::size_t kDataOffset = 0x20;
    FamilySession session(job, out, false);
    if (const int code = session.begin(); code != 0) {
        return code;
    }
    const std::size_t configEnd = family.configOffset + (family.configIsByte ? 1 : 2);
    const std::size_t readLength = std::max(configEnd, kDataOffset + family.dataWords * 2);
    const std::optional<Bytes> image = session.readProgram(readLength, readLength);
    if (!image) {
        return session.lastCode();
    }
    std::uint16_t configWord =
        family.configIsByte ? (*image)[family.configOffset]
                            : static_cast<std::uint16_t>((*image)[family.configOffset + 1] << 8 |
                                                         (*image)[family.configOffset]);
    // After Option Select the word is 0 or 1 and its bit decides the protect bit (set:
    // Unprotect), as Set Protect reads it; the initial word leaves the file's bit standing.
    if (job.optionWord <= 1) {
        configWord = static_cast<std::uint16_t>((configWord & 0xFFFE) | job.optionWord);
    }
    Bytes data{static_cast<std::uint8_t>(configWord >> 8), static_cast<std::uint8_t>(configWord)};
    data.reserve(2 + family.dataWords * 2);
    copyWordsSwapped(*image, kDataOffset, family.dataWords, data, session.checksum);
    session.checksum.feedWord(configWord | 3);

    session.option.put8(0x24, configWord >> 8);
    session.option.put8(0x25, configWord & 0xFD);
    session.option.put16(0x3B, 0xFFFF);
    return session.finish(data);
}

}  // namespace vexlor
