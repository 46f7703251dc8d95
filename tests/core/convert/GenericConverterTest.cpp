#include <gtest/gtest.h>

#include "ConvertTestSupport.h"
#include "ModelChipSample.h"
#include "core/convert/GenericConverter.h"

namespace vexlor::test {
namespace {

// The model chip's job over a program file written as prog.bin.
ConversionJob modelJob(ConvertBench& bench, const Bytes& program = modelProgram()) {
    bench.ic = modelChip();
    return bench.job(bench.ic, bench.dir.writeBytes("prog.bin", program));
}

TEST(ConvertGenericFamily, BuildsBothBuffersFromTheChipRecord) {
    ConvertBench bench;
    ConversionJob job = modelJob(bench);
    job.packageCode = "1A";
    ASSERT_EQ(ConvertGenericFamily(job, bench.out), 0) << testing::PrintToString(bench.messages());
    EXPECT_EQ(bench.option(), modelOption());
    EXPECT_EQ(bench.data(), modelData());
    EXPECT_EQ(bench.result.checksum, 0x8005);
    EXPECT_TRUE(bench.result.unprotect);
    EXPECT_EQ(bench.result.descriptionText, job.programFile.string());
    EXPECT_TRUE(bench.messages().empty());
}

TEST(ConvertGenericFamily, LongChipNameIsOverwrittenByTheFixedBytes) {
    ConvertBench bench;
    ConversionJob job = modelJob(bench);
    bench.ic.ChipName = "QR64L74MXYZW";
    job.packageCode = "1A";
    job.writerModelKLW20 = true;
    ASSERT_EQ(ConvertGenericFamily(job, bench.out), 0);
    EXPECT_EQ(bench.option(), modelOption("QR64L74MXY", 0x5A));
}

TEST(ConvertGenericFamily, ProductionModeAndCount) {
    struct Case {
        const char* name;
        bool serial;
        bool mass;
        bool limit;
        std::uint8_t mode;
        Bytes count;
    };
    const Case cases[] = {
        {"nothing", false, false, false, 0x00, {0, 0, 0, 0}},
        {"mass production", false, true, false, 0x10, {0, 0, 0, 0}},
        {"production limit", false, false, true, 0x11, {0x00, 0x01, 0x23, 0x45}},
        {"serial numbers turn mass production off", true, true, false, 0x00, {0, 0, 0, 0}},
        {"serial numbers with mass and limit", true, true, true, 0x11, {0x00, 0x01, 0x23, 0x45}},
    };
    for (const Case& c : cases) {
        ConvertBench bench;
        bench.dir.writeBytes("serial.txt", Bytes(256, 0));
        ConversionJob job = modelJob(bench);
        job.flags = {c.serial, false, c.mass, c.limit, false, false, packProductionCount(12345)};
        ASSERT_EQ(ConvertGenericFamily(job, bench.out), 0) << c.name;
        const Bytes option = bench.option();
        EXPECT_EQ(option[0x4E], c.mode) << c.name;
        EXPECT_EQ(slice(option, 0x50, 4), c.count) << c.name;
    }
}

TEST(ConvertGenericFamily, SerialNumberBytesComeFromTheSameOffsets) {
    ConvertBench bench;
    Bytes serial(256);
    for (std::size_t i = 0; i < serial.size(); ++i) {
        serial[i] = static_cast<std::uint8_t>(0xFF - i);
    }
    bench.dir.writeBytes("serial.txt", serial);
    ConversionJob job = modelJob(bench);
    job.packageCode = "1A";
    job.flags.displaySerialNumber = true;
    ASSERT_EQ(ConvertGenericFamily(job, bench.out), 0);
    Bytes expected = modelOption();
    place(expected, 0x35, {0xCA, 0xC9, 0xC8, 0xC7, 0xC6, 0xC5});
    std::copy(serial.begin() + 0x60, serial.begin() + 0x80, expected.begin() + 0x60);
    EXPECT_EQ(bench.option(), expected);
}

TEST(ConvertGenericFamily, DeviceIdComparedUnderTheMask) {
    struct Case {
        std::uint32_t mask;
        std::uint8_t low;
        std::uint8_t high;
        int result;
    };
    const Case cases[] = {
        {0xFFFF, 0x34, 0x12, 0}, {0xFFFF, 0x35, 0x12, 6}, {0xFF0F, 0xF4, 0x12, 0},
        {0xFF0F, 0x34, 0x13, 6}, {0x0000, 0x00, 0x00, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.mask << " " << int(c.high) << int(c.low));
        ConvertBench bench;
        Bytes file = modelProgram();
        place(file, 0x14, {c.low, c.high});
        const ConversionJob job = modelJob(bench, file);
        bench.ic.AND_ID_Data = c.mask;
        EXPECT_EQ(ConvertGenericFamily(job, bench.out), c.result);
        EXPECT_EQ(bench.messages(),
                  c.result ? Texts{job.programFile.string() + " ID error\n"} : Texts{});
    }
}

TEST(ConvertGenericFamily, FailuresShowTheirMessage) {
    struct Case {
        const char* name;
        bool serial;
        std::size_t programLength;  // 0: no program file
        bool baseExists;
        int result;
        std::string reason;  // after "<program> open file error"; empty: the serial block's
    };
    const Case cases[] = {
        {"serial block missing", true, 0x3E, true, 1, ""},
        {"program missing", false, 0, true, 5, "The file cannot be opened."},
        {"program shorter than the information words", false, 0x3D, true, 5,
         "It is 61 bytes; QR64L74M needs 62 bytes (up to offset 0x3D)."},
        {"buffer files cannot be created", false, 0x3E, false, 2, "missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConvertBench bench;
        Bytes file = modelProgram();
        file.resize(c.programLength);
        ConversionJob job = modelJob(bench, file);
        if (c.programLength == 0) {
            std::filesystem::remove(job.programFile);
        }
        if (!c.baseExists) {
            job.baseDirectory = bench.dir / "missing";
        }
        job.flags.displaySerialNumber = c.serial;
        EXPECT_EQ(ConvertGenericFamily(job, bench.out), c.result);
        const std::string reason =
            c.reason == "missing"
                ? (bench.dir / "missing" / "buffer_option.prog").string() + " cannot be written."
                : c.reason;
        EXPECT_EQ(bench.messages(), Texts{c.reason.empty() ? "SNFile open file error\n"
                                                           : job.programFile.string() +
                                                                 " open file error\n" + reason});
        EXPECT_EQ(bench.result.descriptionText, "");
    }
}

TEST(ConvertGenericFamily, OneByteCodes) {
    // 11.55 x: 5.0 -> 57.75, 3.3 -> 38.115, 0 -> 0, 25 -> 288.75 which keeps its low byte 0x20.
    for (const auto& [volts, code] : {std::pair{5.0f, 57}, {3.3f, 38}, {0.0f, 0}, {25.0f, 0x20}}) {
        EXPECT_EQ(voltageCode(volts), code) << volts;
    }
    // (d * 1.5 - 21) / 15: 50 -> 3.6, 14 -> 0, 24 -> 1, 0 -> -1.4 truncated to -1 = 0xFF.
    for (const auto& [delay, code] : {std::pair{50, 3}, {14, 0}, {24, 1}, {0, 0xFF}}) {
        EXPECT_EQ(delayCode(delay), code) << delay;
    }
}

TEST(PackProductionCount, DecimalDigitsAsNibbles) {
    EXPECT_EQ(packProductionCount(1234), 0x1234u);
    EXPECT_EQ(packProductionCount(0), 0x0u);
    EXPECT_EQ(packProductionCount(99999999), 0x99999999u);
    EXPECT_EQ(packProductionCount(123456789), 0x12345678u);
}

TEST(ConvertGenericFamily, OversizedProgramFileIsNotRead) {
    ConvertBench bench;
    const ConversionJob job = modelJob(bench);
    std::filesystem::resize_file(job.programFile, (64u << 20) + 1);  // sparse: no 64 MiB written
    EXPECT_EQ(ConvertGenericFamily(job, bench.out), 5);
    EXPECT_EQ(bench.messages(),
              Texts{job.programFile.string() +
                    " open file error\nThe file is larger than the 64 MiB limit."});
}

}  // namespace
}  // namespace vexlor::test
