#include <algorithm>
#include <cctype>

#include "core/convert/FamilyConverters.h"
#include "core/convert/FamilySession.h"

namespace vexlor {
namespace {

constexpr std::size_t kOtpHeaderSize = 32;
constexpr std::size_t kOtpDataBytes = 0x8000;
// Family bytes 16-31 of the OTP image header. Only QRV7049's are known; the other chips of
// the family take the same ones.
constexpr std::uint8_t kOtpFamilyBytes[16] = {0x76, 0x32, 0x1E, 0x11, 0x11, 0x19, 0x10, 0x12,
                                              0x1F, 0x11, 0x1F, 0x10, 0x10, 0x10, 0x10, 0x10};

Bytes otpSideImage(const std::string& chipName, const Bytes& data, std::uint32_t optionWord) {
    Bytes image(kOtpHeaderSize, 0xFF);
    for (std::size_t i = 0; i < chipName.size() && i < 16; ++i) {
        image[i] = static_cast<std::uint8_t>(std::tolower(static_cast<unsigned char>(chipName[i])));
    }
    std::copy(std::begin(kOtpFamilyBytes), std::end(kOtpFamilyBytes), image.begin() + 16);
    image.insert(image.end(), data.begin(), data.end());
    image.push_back(static_cast<std::uint8_t>(optionWord & 0xFF));
    return image;
}

// An OTP image is the header, the chip's words and perhaps a trailing option byte, which the
// converters drop with any odd byte. Without a known capacity, what one writer area holds.
std::size_t otpImageReadLength(const ICInfo& ic) {
    constexpr std::size_t kWriterAreaBytes = 0x20000;
    const std::size_t words = static_cast<std::size_t>(ic.Program_Capacity);
    return kOtpHeaderSize + (words > 0 ? 2 * words + 1 : kWriterAreaBytes);
}

}  // namespace

int convertOtpHexFamily(const ConversionJob& job, ConversionOutput& out) {
    FamilySession session(job, out, true);
    if (const int code = session.begin(); code != 0) {
        return code;
    }
    const std::optional<Bytes> image = session.convertHex(1, 0, kOtpDataBytes);
    if (!image) {
        return session.lastCode();
    }
    Bytes data(kOtpDataBytes, 0xFF);
    std::copy_n(image->begin(), std::min(image->size(), kOtpDataBytes), data.begin());
    session.checksum.feedWords(data);
    session.checksum.feedWord(static_cast<std::uint16_t>(job.optionWord | 1));

    if (!writeFileBytes(session.sideFile(".otp"),
                        otpSideImage(job.ic.ChipName, data, job.optionWord))) {
        return session.failOpen(kConvertImage, format("%s cannot be written.",
                                                      session.sideFile(".otp").string().c_str()));
    }
    session.option.put16(0x16, static_cast<std::uint32_t>(image->size()));
    session.option.put16(0x18, kOtpDataBytes);
    session.option.put8(0x24, job.optionWord);
    session.option.put16(0x27, 0);
    session.option.put16(0x3B, 0xFFFF);
    return session.finish(data);
}

int convertOtpImageFamily(const ConversionJob& job, ConversionOutput& out) {
    FamilySession session(job, out, true);
    if (const int code = session.begin(); code != 0) {
        return code;
    }
    const std::optional<Bytes> image =
        session.readProgram(kOtpHeaderSize, otpImageReadLength(job.ic));
    if (!image) {
        return session.lastCode();
    }
    for (std::size_t i = 0; i < kOtpHeaderSize; i += 2) {
        session.checksum.feedBytes((*image)[i + 1], (*image)[i]);
    }
    const std::uint16_t headerChecksum = session.checksum.value();
    const std::size_t words = (image->size() - kOtpHeaderSize) / 2;
    Bytes data;
    data.reserve(words * 2);
    copyWordsSwapped(*image, kOtpHeaderSize, words, data, session.checksum);

    session.option.put16(0x16, static_cast<std::uint32_t>(words));
    session.option.put16(0x18, static_cast<std::uint32_t>(words));
    session.option.put16(0x27, 0);
    session.option.put16(0x3B, headerChecksum);
    return session.finish(data);
}

int convertHeaderByteFamily(const ConversionJob& job, ConversionOutput& out,
                            const HeaderByteFamily& family) {
    FamilySession session(job, out, true);
    if (const int code = session.begin(); code != 0) {
        return code;
    }
    const std::optional<Bytes> image =
        session.readProgram(kOtpHeaderSize, otpImageReadLength(job.ic));
    if (!image) {
        return session.lastCode();
    }
    const std::size_t payload = image->size() - kOtpHeaderSize;
    const std::size_t words = payload / 2;
    Bytes data;
    data.reserve(words * 2);
    for (std::size_t i = 0; i < words; ++i) {
        const std::uint8_t b0 = (*image)[kOtpHeaderSize + 2 * i];
        const std::uint8_t b1 = (*image)[kOtpHeaderSize + 2 * i + 1];
        data.push_back(b1);
        data.push_back(b0);
        session.checksum.feedBytes(b0, b1);
    }
    const std::uint8_t optionByte = (*image)[0x10] & family.headerByteMask;
    session.option.put8(0x24, optionByte);
    session.option.put8(0x25, optionByte);
    session.option.put16(0x16, static_cast<std::uint32_t>(words));
    session.option.put16(0x18, static_cast<std::uint32_t>((payload + 1) / 2));
    session.option.put16(0x27, 0);
    session.option.put16(0x3B, 0xFFFF);
    return session.finish(data);
}

}  // namespace vexlor
