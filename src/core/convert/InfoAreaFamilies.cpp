#include "core/convert/FamilyConverters.h"
#include "core/convert/FamilySession.h"
#include "core/convert/RawImage.h"

namespace vexlor {
namespace {

constexpr std::size_t kTemplateHead = 128;

// The protect bit of the configuration byte: 0 means the file leaves the chip unprotected.
bool unprotected(std::uint8_t configByte) {
    return (configByte & 0x01) == 0;
}

}  // namespace

int convertQR62J61(const ConversionJob& job, ConversionOutput& out) {
    constexpr std::size_t kInfoOffset = 0x10000;
    constexpr std::size_t kDataBytes = 0xC000;
    FamilySession session(job, out, false, kTemplateHead);
    if (const int code = session.begin(); code != 0) {
        return code;
    }
    const Bytes& prototype = session.templateBytes();
    if (prototype.size() < 38) {
        return session.fail(
            kConvertSerialOrTemplate,
            openFileError(session.templatePath(),
                          format("The template is %zu bytes; %s needs 38 (up to offset 0x25).",
                                 prototype.size(), session.job().ic.ChipName.c_str())));
    }
    const std::optional<Bytes> image =
        session.readProgram(kInfoOffset + 15 * 2, kInfoOffset + 15 * 2);
    if (!image) {
        return session.lastCode();
    }
    const std::uint8_t configByte = (*image)[kInfoOffset + 2];
    session.result().unprotect = unprotected(configByte);

    Bytes data;
    data.reserve(kDataBytes);
    copyWordsStraight(*image, 0, kDataBytes / 2, data, session.checksum);
    Bytes ignored;
    copyWordsStraight(*image, kInfoOffset + 4, 13, ignored, session.checksum);

    session.option.put8(0x80, ((*image)[kInfoOffset] & 0xF0) | (prototype[36] & 0x0F));
    session.option.put8(0x81, prototype[37]);
    session.option.put8(0x82, 0);
    session.option.put8(0x83, (*image)[kInfoOffset + 3]);
    session.option.put8(0x2B, configByte | 0x02);
    session.option.put8(0x2C, 0);
    session.option.put16(0x3B, 0xFFFF);
    return session.finish(data);
}

int convertQR6417(const ConversionJob& job, ConversionOutput& out) {
    constexpr std::size_t kInfoOffset = 0x8000;
    constexpr std::size_t kIdOffset = 0x87FC;
    constexpr std::size_t kInfoWords = 2 + 0x3FB + 2;
    FamilySession session(job, out, false, kTemplateHead);
    if (const int code = session.begin(); code != 0) {
        return code;
    }
    const std::optional<Bytes> image =
        session.readProgram(kInfoOffset + kInfoWords * 2, kInfoOffset + kInfoWords * 2);
    if (!image) {
        return session.lastCode();
    }
    if ((*image)[kIdOffset] != 0x82 || (*image)[kIdOffset + 1] != 0x13) {
        return session.fail(kConvertDeviceId,
                            format("%s ID error\n", job.programFile.string().c_str()));
    }
    const std::uint8_t configByte = (*image)[kInfoOffset + 2];
    session.result().unprotect = unprotected(configByte);

    Bytes data;
    data.reserve(kInfoOffset + kInfoWords * 2 + 2);
    copyWordsStraight(*image, 0, kInfoOffset / 2, data, session.checksum);
    data.push_back((*image)[kInfoOffset]);
    data.push_back((*image)[kInfoOffset + 1]);
    data.push_back((*image)[kInfoOffset + 2] & 0xFC);
    data.push_back((*image)[kInfoOffset + 3]);
    copyWordsStraight(*image, kInfoOffset + 4, 0x3FB, data, session.checksum);
    const std::size_t tail = kInfoOffset + 4 + 0x3FB * 2;
    data.insert(data.end(), image->begin() + static_cast<std::ptrdiff_t>(tail),
                image->begin() + static_cast<std::ptrdiff_t>(tail + 4));
    data.push_back(0);
    data.push_back(0);

    session.option.put8(0x2B, configByte | 0x02);
    session.option.put8(0x2C, 0);
    session.option.put16(0x3B, 0xFFFF);
    for (std::size_t offset = 0xD0; offset < 0x100; ++offset) {
        session.option.put8(offset, 0);
    }
    return session.finish(data);
}

}  // namespace vexlor
