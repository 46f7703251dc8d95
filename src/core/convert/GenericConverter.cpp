#include "core/convert/GenericConverter.h"

#include <algorithm>
#include <optional>

#include "core/convert/BufferFiles.h"
#include "core/convert/MessageCaption.h"
#include "core/convert/ProgramChecksum.h"
#include "core/convert/RawImage.h"

namespace vexlor {
namespace {

constexpr std::size_t kInfoWords = 15;

int fail(ConversionOutput& out, int code, const std::string& text) {
    out.op.message(text, kMessageCaption);
    return code;
}

std::uint32_t hexNumber(const std::string& text) {
    try {
        return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
    } catch (const std::exception&) {
        return 0;
    }
}

void putHeaderFields(OptionBuffer& option, const ICInfo& ic, const ConversionJob& job,
                     std::uint8_t configByte) {
    option.putText(0x00, ic.ChipName);
    option.put8(0x0A, 0x03);
    option.put8(0x0B, voltageCode(ic.P_VDD));
    option.put8(0x0C, 0x05);
    option.put8(0x0D, voltageCode(ic.R_VDD));
    option.put8(0x0E, 0x07);
    option.put8(0x0F, 27);
    option.put8(0x13, static_cast<std::uint32_t>(ic.Program_time) * 16 | ic.DisableHibit);
    option.put16(0x14, ic.Blankcheck_Capacity);
    option.put16(0x16, ic.Program_Capacity);
    option.put16(0x18, ic.Verify_Capacity);
    option.put16(0x1A, ic.CFG_Address);
    option.put8(0x1C, 0x01);
    option.put8(0x1D, voltageCode(ic.P_VPP));
    option.put8(0x1E, 0x01);
    const auto sda = static_cast<std::uint32_t>(ic.ProgMainRom_sda);
    const auto sclk = static_cast<std::uint32_t>(ic.ProgMainRom_sclk);
    option.put8(0x1F, sda >> 4);
    option.put8(0x20, sda << 4 | sclk >> 4);
    option.put8(0x21, sclk << 4 | 0x0E);
    option.put16(0x22, ic.Blankcheck_Data);
    option.put8(0x26, 0x20);
    option.put16(0x27, ic.Normal_Start_Address);
    option.put8(0x29, 0x20);
    option.put8(0x2A, delayCode(ic.VDD_Power_ON_delay));
    option.put8(0x2B, configByte | 0x02);
    option.put16(0x2C, ic.Blankcheck_CFG_Data);
    option.put16(0x2E, ic.OR_Checksum_Data);
    option.put16(0x30, 0);
    option.put8(0x32, voltageCode(ic.R_H_VDD));
    option.put8(0x33, voltageCode(ic.R_L_VDD));
    option.put8(0x34, hexNumber(job.packageCode));
    option.put16(0x3B, ic.Checksum_Initial_Value);
    option.put16(0x3D, ic.Trimming_IRC_Low);
    option.put8(0x3F, ic.Trimming_IRC_Range);
    option.put8(0x40, ic.Device_ID_Address);
    option.put8(0x41, ic.Device_ID_Address);
    option.put16(0x42, ic.Device_ID.empty() ? 0 : ic.Device_ID.front());
    option.put8(0x47, static_cast<std::uint32_t>(ic.ROMtype) * 16 |
                          static_cast<std::uint32_t>(ic.Check_Have_Protect));
    option.put8(0x48, 0);
    option.put8(0x49, ic.Checksum1_Address);
    option.put8(0x4B, ic.Normal_ROM_Capacity);
}

}  // namespace

std::size_t modelConverterReadLength(const ICInfo& ic) {
    return std::max({static_cast<std::size_t>(ic.Device_ID_Address) * 2 + 2,
                     static_cast<std::size_t>(ic.CFG_Address) * 2 + 1,
                     static_cast<std::size_t>(ic.Program_Capacity) * 2,
                     static_cast<std::size_t>(ic.Normal_ROM_Capacity) * 2 + kInfoWords * 2});
}

std::uint8_t voltageCode(float volts) {
    return static_cast<std::uint8_t>(static_cast<int>(11.55 * static_cast<double>(volts)) & 0xFF);
}

std::uint8_t delayCode(std::int32_t delay) {
    return static_cast<std::uint8_t>(static_cast<int>((delay * 1.5 - 21) / 15) & 0xFF);
}

int ConvertGenericFamily(const ConversionJob& job, ConversionOutput& out) {
    const ICInfo& ic = job.ic;
    const std::string programPath = job.programFile.string();
    ProgramChecksum checksum(static_cast<std::uint16_t>(ic.Checksum_Initial_Value));
    out.result.checksum = checksum.value();

    std::optional<Bytes> serialBlock;
    if (job.flags.displaySerialNumber) {
        serialBlock = readSerialBlock(job.baseDirectory);
        if (!serialBlock) {
            return fail(out, kConvertSerialOrTemplate, "SNFile open file error\n");
        }
    }
    const std::optional<Bytes> program = readFileBytes(job.programFile);
    if (!program) {
        return fail(out, kConvertProgramFile,
                    openFileError(job.programFile, unreadableReason(job.programFile)));
    }
    const std::size_t readLength = modelConverterReadLength(ic);
    const std::string problem = rawImageProblem(
        *program, {readLength, readLength, ic.ChipName, job.fileTypes}, job.imageMade());
    if (!problem.empty()) {
        return fail(out, kConvertProgramFile, openFileError(job.reportedFile(), problem));
    }
    const Bytes& image = *program;

    const std::size_t idAt = static_cast<std::size_t>(ic.Device_ID_Address) * 2;
    const std::uint32_t fileId = image[idAt + 1] << 8 | image[idAt];
    const std::uint32_t expectedId = ic.Device_ID.empty() ? 0 : ic.Device_ID.front();
    if ((fileId & ic.AND_ID_Data) != (expectedId & ic.AND_ID_Data)) {
        return fail(out, kConvertDeviceId, format("%s ID error\n", programPath.c_str()));
    }

    const std::uint8_t configByte = image[static_cast<std::size_t>(ic.CFG_Address) * 2];
    out.result.unprotect = (configByte & 0x01) == 0;

    const std::size_t dataLength = static_cast<std::size_t>(ic.Program_Capacity) * 2;
    Bytes data(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(dataLength));
    checksum.feedWords(data);

    OptionBuffer option;
    const std::size_t infoAt = static_cast<std::size_t>(ic.Normal_ROM_Capacity) * 2;
    for (std::size_t word = 0; word < kInfoWords; ++word) {
        std::uint8_t b0 = image[infoAt + 2 * word];
        const std::uint8_t b1 = image[infoAt + 2 * word + 1];
        if (word == 0) {
            b0 &= 0xFC;  // the writer owns these two bits
        }
        option.put8(0x80 + 2 * word, b0);
        option.put8(0x81 + 2 * word, b1);
        if (word >= 2 && word <= 12) {
            checksum.feedBytes(b0, b1);
        }
    }

    putHeaderFields(option, ic, job, configByte);
    option.put16(0x10, checksum.value());
    putProductionFields(option, job.flags);
    if (serialBlock) {
        putSerialBytes(option, *serialBlock);
    }
    putLocalTime(option, job.time);
    option.put8(kWriterModelOffset, writerModelCode(job.writerModelKLW20));
    out.result.checksum = checksum.value();

    if (const int code = writeBufferFiles(job.baseDirectory, option, data); code != kConvertOk) {
        return fail(out, code,
                    openFileError(job.reportedFile(), bufferWriteReason(job.baseDirectory, code)));
    }
    out.result.descriptionText = programPath;
    return kConvertOk;
}

}  // namespace vexlor
