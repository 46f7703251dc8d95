#include <algorithm>
#include <cctype>
#include <span>

#include "core/convert/EepromImage.h"
#include "core/convert/FamilyConverters.h"
#include "core/convert/FamilySession.h"
#include "core/convert/HexImage.h"
#include "core/convert/WorkFiles.h"

namespace vexlor {
namespace {

constexpr std::size_t kPartialChecksumWord = 0x256;
constexpr std::size_t kEepromTableWords = 256;

bool carriesName(const Bytes& image, std::string_view name) {
    if (image.size() != kEepromImageSize || name.size() != kEepromNameLength) {
        return false;
    }
    return std::equal(name.begin(), name.end(), image.begin(), [](char a, std::uint8_t b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(b);
    });
}

}  // namespace

int convertEepromFamily(const ConversionJob& job, ConversionOutput& out,
                        const EepromFamily& family) {
    FamilySession session(job, out, false);
    if (const int code = session.begin(); code != 0) {
        return code;
    }
    const bool eepromLoad = hasExtension(job.programFile, ".bin");
    Bytes data;
    std::uint16_t partial = 0;
    if (eepromLoad) {
        const std::filesystem::path imagePath = session.sideFile("_new.bin");
        if (!BuildEepromImage(job.programFile, imagePath, family.eepromName, out.op)) {
            return kConvertImage;
        }
        const std::optional<Bytes> image = session.readConvertedFile(imagePath);
        if (!image) {
            return session.lastCode();
        }
        if (!carriesName(*image, family.eepromName)) {
            return session.failOpen(kConvertImage,
                                    format("The EEPROM image made from it is not a %s image.",
                                           std::string(family.eepromName).c_str()));
        }
        data.assign(family.eepromAreaWords * 2, 0x00);
        Bytes table;
        copyWordsStraight(*image, kEepromNameLength, kEepromTableWords, table, session.checksum);
        std::copy(table.begin(), table.end(),
                  data.begin() + static_cast<std::ptrdiff_t>(family.eepromFirstWord * 2));
        session.option.put8(0x27, family.eepromModeCode);
        session.option.put8(0x28, 0);
        session.option.put8(0x4D, 0x10);
    } else {
        std::optional<Bytes> image =
            session.convertHex(family.hexFillMode, family.hexLength,
                               family.hexLength != 0 ? family.hexLength : kHexImageSize);
        if (!image) {
            return session.lastCode();
        }
        data = std::move(*image);
        if (data.size() % 2 != 0) {
            data.push_back(0xFF);
        }
        const std::span<const std::uint8_t> words(data);
        const std::size_t partialBytes = std::min(words.size(), 2 * kPartialChecksumWord);
        session.checksum.feedWords(words.first(partialBytes));
        if (partialBytes == 2 * kPartialChecksumWord) {
            partial = session.checksum.value();
        }
        session.checksum.feedWords(words.subspan(partialBytes));
    }

    if (family.feedsOptionWord) {
        session.checksum.feedWord(static_cast<std::uint16_t>((job.optionWord & 0x1FFF) | 0x1EFF));
        session.option.put16(0x54, partial);
    }
    if (family.wordOption) {
        session.option.put8(0x24, (job.optionWord >> 8) & 0x3F);
        session.option.put8(0x25, job.optionWord & 0xE0);
    } else {
        session.option.put8(0x24, job.optionWord);
    }
    session.option.put16(0x3B, 0xFFFF);
    session.option.put8(0x48, 0xC0);
    session.option.put8(0x49, 0x08);
    std::uint8_t ispFlags = 0;
    if (job.flags.exhvIspProgram) {
        ispFlags = 1;
    } else if (family.ispFlag && job.flags.ispProgram) {
        ispFlags = 2;
    }
    session.option.put8(0x4C, ispFlags);
    return session.finish(data);
}

}  // namespace vexlor
