#include <gtest/gtest.h>

#include "ConvertTestSupport.h"
#include "core/convert/InsideNumberDispatch.h"
#include "support/ChipRecord.h"

namespace vexlor::test {
namespace {

Bytes range(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

// The table of a 4-byte EEPROM binary 11 22 33 44: 07 82, then 18 and each byte, then 18 00.
Bytes eepromTable() {
    Bytes table{0x07, 0x82, 0x18, 0x11, 0x18, 0x22, 0x18, 0x33, 0x18, 0x44};
    while (table.size() < 512) {
        table.push_back(0x18);
        table.push_back(0x00);
    }
    return table;
}

TEST(EepromFamily, HexLoadOfTheFixedLengthChip) {
    for (bool exhv : {false, true}) {
        ConvertBench bench;
        writeTemplate(bench.dir, "QRV7038");
        // Word-addressed (count 02): word 0x300F lands on bytes 0x601E-0x601F, the last word
        // of the 24,608-byte image. Fed: 0xFFFF clears the start, zeros, then 0x0001 -> 0x8005.
        const auto program =
            bench.dir.write("prog.hex", ":02000000FFFF00\n:02300F00000100\n:00000001FF\n");
        const ICInfo ic = chipRecord("QRV7038", 0x1638);
        ConversionJob job = bench.job(ic, program);
        job.optionWord = 0x61;
        job.flags.exhvIspProgram = exhv;
        ASSERT_EQ(ConvertByInsideNumber(0x1638, job, bench.out), 0)
            << testing::PrintToString(bench.messages());
        Bytes data(24608, 0);
        place(data, 0, {0xFF, 0xFF});
        place(data, 0x601E, {0x00, 0x01});
        EXPECT_EQ(bench.data(), data);
        Bytes option(256, 0xEE);
        place(option, 0x10, {0x80, 0x05});
        place(option, 0x24, {0x61});
        place(option, 0x3B, {0xFF, 0xFF});
        place(option, 0x48, {0xC0, 0x08});
        place(option, 0x4C, {static_cast<std::uint8_t>(exhv ? 1 : 0)});
        place(option, 0x4E, {0x00});
        placeFixedTime(option);
        place(option, 0xCF, {0x5B});
        EXPECT_EQ(bench.option(), option);
    }
}

TEST(EepromFamily, HexLoadWithPartialChecksumAndOptionWord) {
    struct Case {
        bool exhv;
        bool isp;
        std::uint8_t flags;
    };
    const Case cases[] = {{false, false, 0}, {false, true, 2}, {true, false, 1}, {true, true, 1}};
    for (const Case& c : cases) {
        ConvertBench bench;
        writeTemplate(bench.dir, "QV1663");
        Bytes image(0x4B0, 0);
        place(image, 0, {0xFF, 0xFF});
        place(image, 0x4AA, {0x00, 0x01});  // word 0x255, the 0x256th: register 0x8005
        place(image, 0x4AC, {0x80, 0x05});  // clears it
        const auto program = bench.dir.write("prog.hex", hexText({{0, image}}));
        const ICInfo ic = chipRecord("QV1663", 0x1663);
        ConversionJob job = bench.job(ic, program);
        job.flags.exhvIspProgram = c.exhv;
        job.flags.ispProgram = c.isp;
        ASSERT_EQ(ConvertByInsideNumber(0x1663, job, bench.out), 0);
        EXPECT_EQ(bench.data(), image);
        // Then (0x60 & 0x1FFF) | 0x1EFF = 0x1EFF: bits 0-7 and 9-12 give
        // 0x0202 ^ 0x8C03 ^ 0x9803 ^ 0xB003 ^ 0xE003 = 0x4602.
        Bytes option(256, 0xEE);
        place(option, 0x10, {0x46, 0x02});
        place(option, 0x24, {0x00, 0x60});
        place(option, 0x3B, {0xFF, 0xFF});
        place(option, 0x48, {0xC0, 0x08});
        place(option, 0x4C, {c.flags});
        place(option, 0x4E, {0x00});
        place(option, 0x54, {0x80, 0x05});
        placeFixedTime(option);
        place(option, 0xCF, {0x5B});
        EXPECT_EQ(bench.option(), option) << c.exhv << c.isp;
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
        ConvertBench bench;
        writeTemplate(bench.dir, c.chip);
        const auto program = bench.dir.writeBytes(c.fileName, {0x11, 0x22, 0x33, 0x44});
        const ICInfo ic = chipRecord(c.chip, c.insideNumber);
        ConversionJob job = bench.job(ic, program);
        job.optionWord = 0x61;
        ASSERT_EQ(ConvertByInsideNumber(c.insideNumber, job, bench.out), 0)
            << c.chip << testing::PrintToString(bench.messages());
        const Bytes data = bench.data();
        ASSERT_EQ(data.size(), c.dataSize) << c.chip;
        EXPECT_EQ(range(data, c.tableAt, 512), eepromTable()) << c.chip;
        EXPECT_EQ(std::count(data.begin(), data.end(), 0), 251 + (c.dataSize - 512)) << c.chip;
        const Bytes option = bench.option();
        EXPECT_EQ(range(option, 0x24, 2), c.field24) << c.chip;
        EXPECT_EQ(range(option, 0x27, 2), (Bytes{c.modeCode, 0x00})) << c.chip;
        EXPECT_EQ(option[0x4D], 0x10) << c.chip;
        const auto image = bench.dir / "work" / (program.stem().string() + "_new.bin");
        EXPECT_EQ(bench.result.descriptionText, image.string());
        EXPECT_EQ(readBytes(image).size(), 525u);
    }
}

}  // namespace
}  // namespace vexlor::test
