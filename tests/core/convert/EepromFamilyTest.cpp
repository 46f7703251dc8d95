#include <gtest/gtest.h>

#include "ConvertTestSupport.h"

namespace vexlor::test {
namespace {

// The table of a 4-byte EEPROM binary 11 22 33 44: 07 82, then 18 and each byte, then 18 00.
Bytes eepromTable() {
    Bytes table{0x07, 0x82, 0x18, 0x11, 0x18, 0x22, 0x18, 0x33, 0x18, 0x44};
    while (table.size() < 512) {
        table.push_back(0x18);
        table.push_back(0x00);
    }
    return table;
}

// QRV7038: word-addressed (count 02), word 0x300F lands on bytes 0x601E-0x601F, the last word
// of the 24,608-byte image. Fed: 0xFFFF clears the start, zeros, then 0x0001 -> 0x8005.
// QV1663: word 0x255 (0x0001), the 0x256th, leaves the partial checksum 0x8005 and 0x8005
// clears it; then the option word (0x60 & 0x1FFF) | 0x1EFF = 0x1EFF: bits 0-7 and 9-12 give
// 0x0202 ^ 0x8C03 ^ 0x9803 ^ 0xB003 ^ 0xE003 = 0x4602.
TEST(EepromFamily, HexLoadWithChecksumFlagsAndOptionWord) {
    Bytes fixedData(24608, 0);
    place(fixedData, 0, {0xFF, 0xFF});
    place(fixedData, 0x601E, {0x00, 0x01});
    Bytes partialData(0x4B0, 0);
    place(partialData, 0, {0xFF, 0xFF});
    place(partialData, 0x4AA, {0x00, 0x01, 0x80, 0x05});
    const std::string fixedHex = ":02000000FFFF00\n:02300F00000100\n:00000001FF\n";
    struct Case {
        const char* chip;
        std::uint32_t insideNumber;
        std::string hex;
        std::uint32_t optionWord;
        bool exhv;
        bool isp;
        std::uint8_t flags;  // option 0x4C
        const Bytes& data;
        std::uint16_t checksum;
        Bytes at24;
        Bytes at54;  // the partial checksum, where the chip has one
    };
    const std::string partialHex = hexText(partialData);
    const auto qv1663 = [&](bool exhv, bool isp, std::uint8_t flags) {
        return Case{"QV1663", 0x1663,      partialHex, 0x60,         exhv,        isp,
                    flags,    partialData, 0x4602,     {0x00, 0x60}, {0x80, 0x05}};
    };
    const Case cases[] = {
        {"QRV7038", 0x1638, fixedHex, 0x61, false, false, 0, fixedData, 0x8005, {0x61}, {}},
        {"QRV7038", 0x1638, fixedHex, 0x61, true, false, 1, fixedData, 0x8005, {0x61}, {}},
        qv1663(false, false, 0),
        qv1663(false, true, 2),
        qv1663(true, false, 1),
        qv1663(true, true, 1),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chip << " exhv " << c.exhv << " isp " << c.isp);
        ConvertBench bench;
        writeTemplate(bench.dir, c.chip);
        ConversionJob job =
            bench.familyJob(c.chip, c.insideNumber, bench.dir.write("prog.hex", c.hex));
        job.optionWord = c.optionWord;
        job.flags.exhvIspProgram = c.exhv;
        job.flags.ispProgram = c.isp;
        ASSERT_EQ(bench.convert(job), 0) << testing::PrintToString(bench.messages());
        EXPECT_EQ(bench.data(), c.data);
        Bytes option(256, 0xEE);
        std::copy(c.at24.begin(), c.at24.end(), option.begin() + 0x24);
        place(option, 0x3B, {0xFF, 0xFF});
        place(option, 0x48, {0xC0, 0x08});
        place(option, 0x4C, {c.flags});
        std::copy(c.at54.begin(), c.at54.end(), option.begin() + 0x54);
        EXPECT_EQ(bench.option(), withCommonFields(option, c.checksum));
    }
}

TEST(EepromFamily, BinaryLoadGoesThroughTheEepromImage) {
    struct Case {
        const char* chip;
        std::uint32_t insideNumber;
        const char* fileName;
        std::size_t dataSize;
        std::size_t tableAt;
        std::uint8_t modeCode;
        Bytes field24;
    };
    const Case cases[] = {
        {"QRV7038", 0x1638, "eeprom.bin", 0x6000, 0x1E00, 0x0F, {0x61, 0xEE}},
        {"QRV7038", 0x1638, "EEPROM.BIN", 0x6000, 0x1E00, 0x0F, {0x61, 0xEE}},
        {"QV1663", 0x1663, "eeprom.bin", 0x200, 0, 0x17, {0x00, 0x60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chip);
        ConvertBench bench;
        writeTemplate(bench.dir, c.chip);
        const auto program = bench.dir.writeBytes(c.fileName, {0x11, 0x22, 0x33, 0x44});
        ConversionJob job = bench.familyJob(c.chip, c.insideNumber, program);
        job.optionWord = 0x61;
        ASSERT_EQ(bench.convert(job), 0) << testing::PrintToString(bench.messages());
        const Bytes data = bench.data();
        ASSERT_EQ(data.size(), c.dataSize);
        EXPECT_EQ(slice(data, c.tableAt, 512), eepromTable());
        EXPECT_EQ(std::count(data.begin(), data.end(), 0), 251 + (c.dataSize - 512));
        const Bytes option = bench.option();
        EXPECT_EQ(slice(option, 0x24, 2), c.field24);
        EXPECT_EQ(slice(option, 0x27, 2), (Bytes{c.modeCode, 0x00}));
        EXPECT_EQ(option[0x4D], 0x10);
        const auto image = bench.dir / "work" / (program.stem().string() + "_new.bin");
        EXPECT_EQ(bench.result.descriptionText, image.string());
        EXPECT_EQ(readBytes(image).size(), 525u);
    }
}

}  // namespace
}  // namespace vexlor::test
