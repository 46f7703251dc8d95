#include <gtest/gtest.h>

#include "ConvertTestSupport.h"

namespace vexlor::test {
namespace {

// Hand reduction modulo x^16 + x^15 + x^2 + 1: a single word w fed to a zero register leaves
// w * x^16 mod P; bit k of w contributes x^(16+k): bit0 0x8005, bit1 0x800F, bit2 0x801B,
// bit5 0x80C3, bit6 0x8183, bit8 0x8603. A word equal to the register clears it.

// The template with the common fields and the fields all these families write alike.
Bytes otpOption(std::uint16_t checksum, const Bytes& at16, const Bytes& at3B = {0xFF, 0xFF}) {
    Bytes option = withCommonFields(Bytes(256, 0xEE), checksum);
    std::copy(at16.begin(), at16.end(), option.begin() + 0x16);
    place(option, 0x27, {0x00, 0x00});
    std::copy(at3B.begin(), at3B.end(), option.begin() + 0x3B);
    return option;
}

TEST(OtpHexFamily, FullImageWithOptionWordAndSideFile) {
    ConvertBench bench;
    writeTemplate(bench.dir, "QRV7049");
    Bytes image(0x8000, 0);
    place(image, 0, {0xFF, 0xFF});
    ConversionJob job =
        bench.familyJob("QRV7049", 0x1622, bench.dir.write("prog.hex", hexText({{0, image}})));
    job.optionWord = 0x62;
    ASSERT_EQ(bench.convert(job), 0) << testing::PrintToString(bench.messages());
    // 0xFFFF clears the 0xFFFF start, the zeros keep it 0, then 0x62 | 1 = 0x63:
    // bit6 ^ bit5 ^ bit1 ^ bit0 = 0x8183 ^ 0x80C3 ^ 0x800F ^ 0x8005 = 0x014A.
    Bytes expected = otpOption(0x014A, {0x80, 0x00, 0x80, 0x00});
    place(expected, 0x24, {0x62});
    EXPECT_EQ(bench.option(), expected);
    EXPECT_EQ(bench.data(), image);
    EXPECT_EQ(bench.result.checksum, 0x014A);
    EXPECT_EQ(bench.result.descriptionText, (bench.dir / "work" / "prog.bin").string());
    Bytes side(16, 0xFF);
    placeText(side, 0, "qrv7049");
    place(side, 16,
          {0x76, 0x32, 0x1E, 0x11, 0x11, 0x19, 0x10, 0x12, 0x1F, 0x11, 0x1F, 0x10, 0x10, 0x10, 0x10,
           0x10});
    side.insert(side.end(), image.begin(), image.end());
    side.push_back(0x62);
    EXPECT_EQ(readBytes(bench.dir / "work" / "prog.otp"), side);
}

TEST(OtpHexFamily, ShortImageIsPaddedWithBlank) {
    ConvertBench bench;
    writeTemplate(bench.dir, "QRV7012");
    const auto program = bench.dir.write("prog.hex", hexText({{0, {0x11, 0x22, 0x33}}}));
    ASSERT_EQ(bench.convert(bench.familyJob("QRV7012", 0x1636, program)), 0);
    Bytes expectedData(0x8000, 0xFF);
    place(expectedData, 0, {0x11, 0x22, 0x33});
    EXPECT_EQ(bench.data(), expectedData);
    EXPECT_EQ(slice(bench.option(), 0x16, 2), (Bytes{0x00, 0x03}));
}

TEST(OtpHexFamily, HexTextNamedBinKeepsTheProgramFile) {
    ConvertBench bench;
    writeTemplate(bench.dir, "QRV7049");
    const std::string text = hexText({{0, {0x11, 0x22}}});
    const auto program = bench.dir.write("prog.bin", text);
    ASSERT_EQ(bench.convert(bench.familyJob("QRV7049", 0x1622, program)), 0);
    EXPECT_EQ(readText(program), text);
    EXPECT_EQ(readBytes(bench.dir / "work" / "prog.bin"), (Bytes{0x11, 0x22}));
    EXPECT_EQ(bench.result.descriptionText, (bench.dir / "work" / "prog.bin").string());
}

TEST(OtpHexFamily, MissingTemplateFails) {
    ConvertBench bench;
    const auto program = bench.dir.write("prog.hex", hexText(Bytes{0x11}));
    EXPECT_EQ(bench.convert(bench.familyJob("QRV7371", 0x1632, program)), 1);
    EXPECT_EQ(bench.messages(), Texts{(bench.dir / "hwversion1.0" / "QRV7371.txt").string() +
                                      " open file error\n"
                                      "The chip's option template cannot be read."});
}

TEST(OtpHexFamily, ChipNameCannotReachOutsideTheTemplateDirectory) {
    for (const char* name : {"../QRV7049", "sub/QRV7049", ""}) {
        ConvertBench bench;
        writeTemplate(bench.dir, "QRV7049");
        bench.dir.writeBytes("QRV7049.txt", Bytes(256, 0));  // what "../QRV7049" would reach
        bench.dir.writeBytes("hwversion1.0/sub/QRV7049.txt", Bytes(256, 0));
        const auto program = bench.dir.write("prog.hex", hexText(Bytes{0x11}));
        EXPECT_EQ(bench.convert(bench.familyJob(name, 0x1622, program)), 1) << name;
        ASSERT_EQ(bench.messages().size(), 1u) << name;
        EXPECT_NE(bench.messages()[0].find(" open file error\n"), std::string::npos) << name;
    }
}

TEST(OtpImageFamily, HeaderSeedsTheChecksumAndDataIsSwapped) {
    ConvertBench bench;
    writeTemplate(bench.dir, "QRV7034");
    Bytes file(32, 0);
    place(file, 0, {0xFF, 0xFF});   // header word 0xFFFF clears the start value
    place(file, 30, {0x01, 0x00});  // header word 0x0001 -> 0x8005
    place(file, 32, {0x05, 0x80});  // word 0x8005 clears it again
    place(file, 34, {0x00, 0x01});  // word 0x0100 -> 0x8603
    place(file, 36, {0xAA});        // odd byte: not a word
    const auto program = bench.dir.writeBytes("prog.otp", file);
    ASSERT_EQ(bench.convert(bench.familyJob("QRV7034", 0x1603, program)), 0);
    EXPECT_EQ(bench.option(), otpOption(0x8603, {0x00, 0x02, 0x00, 0x02}, {0x80, 0x05}));
    EXPECT_EQ(bench.data(), (Bytes{0x80, 0x05, 0x01, 0x00}));
    EXPECT_EQ(bench.result.descriptionText, program.string());
}

TEST(HeaderByteFamily, HighByteFirstButFedLowByteFirst) {
    struct Case {
        const char* chip;
        std::uint32_t insideNumber;
        std::uint8_t optionByte;  // header byte 0xFF under the chip's mask
    };
    for (const Case& c : {Case{"QRV7097", 0x1633, 0x6F}, Case{"QSV6842", 0x1629, 0x7F}}) {
        ConvertBench bench;
        writeTemplate(bench.dir, c.chip);
        Bytes file(32, 0);
        place(file, 0x10, {0xFF});
        place(file, 32, {0xFF, 0xFF, 0x01, 0x00, 0x77});  // fed 0xFFFF, then 0x0100 -> 0x8603
        const auto program = bench.dir.writeBytes("prog.otp", file);
        ASSERT_EQ(bench.convert(bench.familyJob(c.chip, c.insideNumber, program)), 0) << c.chip;
        Bytes expected = otpOption(0x8603, {0x00, 0x02, 0x00, 0x03});
        place(expected, 0x24, {c.optionByte, c.optionByte});
        EXPECT_EQ(bench.option(), expected) << c.chip;
        EXPECT_EQ(bench.data(), (Bytes{0xFF, 0xFF, 0x00, 0x01})) << c.chip;
    }
}

}  // namespace
}  // namespace vexlor::test
