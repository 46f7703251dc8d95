#include <gtest/gtest.h>

#include "ConvertTestSupport.h"
#include "core/convert/GenericConverter.h"

namespace vexlor {
namespace {

using test::Bytes;
using test::ConvertBench;
using test::place;
using test::placeText;

ICInfo modelChip() {
    ICInfo ic;
    ic.ChipName = "QR64L74M";
    ic.ROMtype = 2;
    ic.AND_ID_Data = 0xFFFF;
    ic.Device_ID = {0x1234};
    ic.Normal_ROM_Capacity = 0x10;
    ic.Checksum_Initial_Value = 0xFFFF;
    ic.OR_Checksum_Data = 0x1234;
    ic.Check_Have_Protect = 1;
    ic.Trimming_IRC_Low = 0x55;
    ic.Trimming_IRC_Range = 0x07;
    ic.CFG_Address = 0x08;
    ic.Device_ID_Address = 0x0A;
    ic.Checksum1_Address = 0x1FFE;
    ic.Normal_Start_Address = 0x100;
    ic.Blankcheck_Capacity = 0x10;
    ic.Program_Capacity = 0x08;
    ic.Verify_Capacity = 0x09;
    ic.DisableHibit = 1;
    ic.VDD_Power_ON_delay = 50;
    ic.Program_time = 3;
    ic.Blankcheck_Data = 0x3FFF;
    ic.Blankcheck_CFG_Data = 0xFF;
    ic.ProgMainRom_sda = 0x25;
    ic.ProgMainRom_sclk = 0x3C;
    ic.P_VDD = 5.0f;
    ic.P_VPP = 8.5f;
    ic.R_VDD = 5.5f;
    ic.R_H_VDD = 6.0f;
    ic.R_L_VDD = 2.0f;
    return ic;
}

// 8 program words (the first 0xFFFF cancels the initial value, the rest 0), the configuration
// byte at 0x10, the ID at 0x14, and 15 information words at 0x20 of which only word 12
// (0x0001) is non-zero among the fed ones: the checksum ends as 0x0001 * x^16 mod P = 0x8005.
Bytes modelProgram() {
    Bytes file(0x3E, 0);
    place(file, 0x00, {0xFF, 0xFF});
    place(file, 0x10, {0xA4});
    place(file, 0x14, {0x34, 0x12});
    place(file, 0x20, {0xAB, 0xCD, 0x11, 0x22});
    place(file, 0x38, {0x00, 0x01, 0x55, 0x66, 0x77, 0x88});
    return file;
}

Bytes modelOption(const std::string& name = "QR64L74M", std::uint8_t model = 0x5B) {
    Bytes option(256, 0);
    placeText(option, 0x00, name);
    place(option, 0x0A, {0x03, 0x39, 0x05, 0x3F, 0x07, 0x1B, 0x80, 0x05, 0x00, 0x31});
    place(option, 0x14, {0x00, 0x10, 0x00, 0x08, 0x00, 0x09, 0x00, 0x08});
    place(option, 0x1C, {0x01, 0x62, 0x01, 0x02, 0x53, 0xCE, 0x3F, 0xFF});
    place(option, 0x26, {0x20, 0x01, 0x00, 0x20, 0x03, 0xA6, 0x00, 0xFF, 0x12, 0x34});
    place(option, 0x32, {0x45, 0x17, 0x1A});
    place(option, 0x3B, {0xFF, 0xFF, 0x00, 0x55, 0x07, 0x0A, 0x0A, 0x12, 0x34});
    place(option, 0x47, {0x21, 0x00, 0xFE, 0x00, 0x10});
    place(option, 0x80, {0xA8, 0xCD, 0x11, 0x22});
    place(option, 0x98, {0x00, 0x01, 0x55, 0x66, 0x77, 0x88});
    test::placeFixedTime(option);
    place(option, 0xCF, {model});
    return option;
}

Bytes modelData() {
    Bytes data(16, 0);
    place(data, 0, {0xFF, 0xFF});
    return data;
}

TEST(ConvertGenericFamily, BuildsBothBuffersFromTheChipRecord) {
    ConvertBench bench;
    const ICInfo ic = modelChip();
    const auto program = bench.dir.writeBytes("prog.bin", modelProgram());
    ConversionJob job = bench.job(ic, program);
    job.packageCode = "1A";
    ASSERT_EQ(ConvertGenericFamily(job, bench.out), 0) << testing::PrintToString(bench.messages());
    EXPECT_EQ(bench.option(), modelOption());
    EXPECT_EQ(bench.data(), modelData());
    EXPECT_EQ(bench.result.checksum, 0x8005);
    EXPECT_TRUE(bench.result.unprotect);
    EXPECT_EQ(bench.result.descriptionText, program.string());
    EXPECT_TRUE(bench.messages().empty());
}

TEST(ConvertGenericFamily, LongChipNameIsOverwrittenByTheFixedBytes) {
    ConvertBench bench;
    ICInfo ic = modelChip();
    ic.ChipName = "QR64L74MXYZW";
    ConversionJob job = bench.job(ic, bench.dir.writeBytes("prog.bin", modelProgram()));
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
        const ICInfo ic = modelChip();
        ConversionJob job = bench.job(ic, bench.dir.writeBytes("prog.bin", modelProgram()));
        job.flags.displaySerialNumber = c.serial;
        job.flags.massProduction = c.mass;
        job.flags.productionLimit = c.limit;
        job.flags.packedCount = packProductionCount(12345);
        ASSERT_EQ(ConvertGenericFamily(job, bench.out), 0) << c.name;
        const Bytes option = bench.option();
        EXPECT_EQ(option[0x4E], c.mode) << c.name;
        EXPECT_EQ(Bytes(option.begin() + 0x50, option.begin() + 0x54), c.count) << c.name;
    }
}

TEST(ConvertGenericFamily, SerialNumberBytesComeFromTheSameOffsets) {
    ConvertBench bench;
    Bytes serial(256);
    for (std::size_t i = 0; i < serial.size(); ++i) {
        serial[i] = static_cast<std::uint8_t>(0xFF - i);
    }
    bench.dir.writeBytes("serial.txt", serial);
    const ICInfo ic = modelChip();
    ConversionJob job = bench.job(ic, bench.dir.writeBytes("prog.bin", modelProgram()));
    job.packageCode = "1A";
    job.flags.displaySerialNumber = true;
    ASSERT_EQ(ConvertGenericFamily(job, bench.out), 0);
    Bytes expected = modelOption();
    place(expected, 0x35, {0xCA, 0xC9, 0xC8, 0xC7, 0xC6, 0xC5});
    for (std::size_t offset = 0x60; offset < 0x80; ++offset) {
        expected[offset] = static_cast<std::uint8_t>(0xFF - offset);
    }
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
        ConvertBench bench;
        ICInfo ic = modelChip();
        ic.AND_ID_Data = c.mask;
        Bytes file = modelProgram();
        place(file, 0x14, {c.low, c.high});
        const auto program = bench.dir.writeBytes("prog.bin", file);
        EXPECT_EQ(ConvertGenericFamily(bench.job(ic, program), bench.out), c.result)
            << std::hex << c.mask << " " << int(c.high) << int(c.low);
        if (c.result == 6) {
            EXPECT_EQ(bench.messages(), std::vector<std::string>{program.string() + " ID error\n"});
        }
    }
}

TEST(ConvertGenericFamily, FailuresShowTheirMessage) {
    struct Case {
        const char* name;
        bool serial;
        bool writeSerial;
        std::size_t programLength;  // 0: no program file
        bool baseExists;
        int result;
        bool namesProgram;
    };
    const Case cases[] = {
        {"serial block missing", true, false, 0x3E, true, 1, false},
        {"program missing", false, false, 0, true, 5, true},
        {"program shorter than the information words", false, false, 0x3D, true, 5, true},
        {"buffer files cannot be created", false, false, 0x3E, false, 2, true},
    };
    for (const Case& c : cases) {
        ConvertBench bench;
        if (c.writeSerial) {
            bench.dir.writeBytes("serial.txt", Bytes(256, 0));
        }
        Bytes file = modelProgram();
        file.resize(c.programLength);
        const auto program =
            c.programLength ? bench.dir.writeBytes("prog.bin", file) : bench.dir / "prog.bin";
        const ICInfo ic = modelChip();
        ConversionJob job = bench.job(ic, program);
        if (!c.baseExists) {
            job.baseDirectory = bench.dir / "missing";
        }
        job.flags.displaySerialNumber = c.serial;
        EXPECT_EQ(ConvertGenericFamily(job, bench.out), c.result) << c.name;
        const std::string expected =
            c.namesProgram ? program.string() + " open file error\n" : "SNFile open file error\n";
        EXPECT_EQ(bench.messages(), std::vector<std::string>{expected}) << c.name;
        EXPECT_EQ(bench.result.descriptionText, "") << c.name;
    }
}

TEST(ConvertGenericFamily, OneByteCodes) {
    struct Case {
        float volts;
        std::uint8_t code;
    };
    // 11.55 x: 5.0 -> 57.75, 3.3 -> 38.115, 0 -> 0, 25 -> 288.75 which keeps its low byte 0x20.
    const Case volts[] = {{5.0f, 57}, {3.3f, 38}, {0.0f, 0}, {25.0f, 0x20}};
    for (const Case& c : volts) {
        EXPECT_EQ(voltageCode(c.volts), c.code) << c.volts;
    }
    // (d * 1.5 - 21) / 15: 50 -> 3.6, 14 -> 0, 24 -> 1, 0 -> -1.4 truncated to -1 = 0xFF.
    EXPECT_EQ(delayCode(50), 3);
    EXPECT_EQ(delayCode(14), 0);
    EXPECT_EQ(delayCode(24), 1);
    EXPECT_EQ(delayCode(0), 0xFF);
}

TEST(PackProductionCount, DecimalDigitsAsNibbles) {
    EXPECT_EQ(packProductionCount(1234), 0x1234u);
    EXPECT_EQ(packProductionCount(0), 0x0u);
    EXPECT_EQ(packProductionCount(99999999), 0x99999999u);
    EXPECT_EQ(packProductionCount(123456789), 0x12345678u);
}

}  // namespace
}  // namespace vexlor
