#include "core/convert/FamilyConverters.h"
#include "core/convert/FamilySession.h"
#include "core/convert/RawImage.h"

namespace vexlor {
namespace {

constexpr std::size_t kPartialChecksumWord = 0x256;
constexpr std::uint16_t kBlankWord = 0x3FFF;

// Serial-number word addresses are kept in the block as (high byte - 2, low byte).
std::uint32_t serialWordAddress(const Bytes& block, std::size_t offset) {
    return (static_cast<std::uint32_t>(block[offset]) + 2) * 256 + block[offset + 1];
}

}  // namespace

int convertWordHexFamily(const ConversionJob& job, ConversionOutput& out,
                         const WordHexFamily& family) {
    FamilySession session(job, out, true);
    if (const int code = session.begin(); code != 0) {
        return code;
    }
    const std::size_t needed =
        std::max({family.idOffset + 2, family.configByteOffset + 1, family.dataWords * 2});
    const std::optional<Bytes> converted = session.convertHex(2, 0, needed);
    if (!converted) {
        return session.lastCode();
    }
    const Bytes& image = *converted;
    if (image.size() < needed) {
        return session.failOpen(
            kConvertProgramFile,
            rawImageProblem(image, {needed, image.size(), job.ic.ChipName, job.fileTypes}, true));
    }
    if (image[family.idOffset] != family.idFirstByte ||
        (image[family.idOffset + 1] & 0x03) != 0x03) {
        return session.fail(kConvertDeviceId,
                            format("%s ID error\n", job.programFile.string().c_str()));
    }
    const std::uint16_t configWord = static_cast<std::uint16_t>(
        image[family.configByteOffset] << 8 | image[family.configByteOffset - 1]);
    const bool hasProtectedArea = (image[family.configByteOffset] & 0x10) == 0;

    if (session.serialBlock() && hasProtectedArea) {
        Bytes& block = *session.serialBlock();
        const std::uint32_t start = serialWordAddress(block, 0x37);
        const std::uint32_t end = serialWordAddress(block, 0x39);
        if (end >= family.serialEndLimit) {
            return session.fail(kConvertSerialOrTemplate, std::string(family.serialEndMessage));
        }
        // Only the copy going into the option header is adjusted; serial.txt stays as the
        // Serial Number Set dialog wrote it, so converting twice gives the same addresses.
        block[0x37] = static_cast<std::uint8_t>(start >> 8);
        block[0x38] = static_cast<std::uint8_t>(start);
        block[0x39] = static_cast<std::uint8_t>(end >> 8);
        block[0x3A] = static_cast<std::uint8_t>(end);
    }

    Bytes data;
    data.reserve(family.dataWords * 2 + 8);
    std::size_t fed = 0;
    std::uint16_t partial = 0;
    std::size_t lastUsedWord = 0;
    const std::size_t firstFreeWord = hasProtectedArea ? family.protectedWords : 0;
    for (std::size_t i = 0; i < family.dataWords; ++i) {
        const std::uint8_t b0 = image[2 * i];
        const std::uint8_t b1 = image[2 * i + 1];
        data.push_back(b1);
        data.push_back(b0);
        if (i < firstFreeWord) {
            continue;
        }
        session.checksum.feedBytes(b1, b0);
        if (++fed == kPartialChecksumWord) {
            partial = session.checksum.value() & 0x3FFF;
        }
        if ((b1 << 8 | b0) != kBlankWord) {
            lastUsedWord = i + 1;
        }
    }
    session.checksum.feedWord(configWord | family.configFeedMask);
    session.result().secondaryChecksum = configWord;
    std::uint16_t finalChecksum = session.checksum.value() & 0x3FFF;
    if (hasProtectedArea) {
        finalChecksum |= 0x3000;
    }
    session.checksum.reset(finalChecksum);
    for (int i = 0; i < 4; ++i) {
        data.push_back(0x3F);
        data.push_back(0xFF);
    }

    const std::uint16_t optionWord = configWord | 0x1F;
    session.option.put8(0x24, (optionWord >> 8) & 0x3F);
    session.option.put8(0x25, optionWord);
    session.option.put16(0x16, static_cast<std::uint32_t>(lastUsedWord));
    session.option.put16(0x18, static_cast<std::uint32_t>(family.dataWords));
    session.option.put16(0x27, (configWord & 0x1000) == 0 ? 0x0400 : 0x0000);
    session.option.put16(0x3B, 0xFFFF);
    session.option.put8(0x48, family.field48);
    session.option.put8(0x49, hasProtectedArea ? family.field48Protected : 0xFF);
    session.option.put16(0x54, partial);
    if (family.writesExhvFlag) {
        session.option.put8(0x4C, job.flags.exhvIspProgram ? 1 : 0);
    }
    return session.finish(data);
}

}  // namespace vexlor
