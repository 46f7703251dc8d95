#include <gtest/gtest.h>

#include "ConvertTestSupport.h"

namespace vexlor::test {
namespace {

// Single words fed to a zero register (hand reduction modulo x^16 + x^15 + x^2 + 1):
// 0x0001 -> 0x8005, 0x0100 -> 0x8603, and by linearity over bits 0,1,2,4,5,9,12:
// 0x1237 -> 0x8005^0x800F^0x801B^0x8063^0x80C3^0x8C03^0xE003 = 0xECB1, 0x0037 -> 0x80B1.

TEST(ConfigWordFamily, ConfigurationWordAheadOfTheData) {
    struct Case {
        const char* chip;
        std::uint32_t insideNumber;
        std::size_t fileSize;
        std::size_t configAt;
        Bytes configBytes;
        std::uint32_t optionWord;
        std::size_t dataWords;
        std::uint16_t head;  // first data word, high byte first
        std::uint16_t field24;
        std::uint16_t checksum;
    };
    const Case cases[] = {
        {"QR6401", 0x1397, 0x4020, 0x401E, {0x35, 0x12}, 1, 0x1970, 0x1235, 0x1235, 0xECB1},
        {"QR6401", 0x1397, 0x4020, 0x401E, {0x35, 0x12}, 0, 0x1970, 0x1234, 0x1234, 0xECB1},
        {"QR64S27", 0x1396, 0x4020, 0x401E, {0x37, 0x12}, 1, 0x1FFF, 0x1237, 0x1235, 0xECB1},
        {"QR64G98", 0x1395, 0x2020, 0x201F, {0x37}, 1, 0xFFF, 0x0037, 0x0035, 0x80B1},
        {"QR64G98", 0x1395, 0x2020, 0x201F, {0x37}, 0, 0xFFF, 0x0036, 0x0034, 0x80B1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chip << " " << c.optionWord);
        ConvertBench bench;
        Bytes option = writeTemplate(bench.dir, c.chip);
        Bytes file(c.fileSize, 0);
        place(file, 0x20, {0xFF, 0xFF});
        std::copy(c.configBytes.begin(), c.configBytes.end(), file.begin() + c.configAt);
        ConversionJob job =
            bench.familyJob(c.chip, c.insideNumber, bench.dir.writeBytes("prog.otp", file));
        job.optionWord = c.optionWord;
        ASSERT_EQ(bench.convert(job), 0);
        Bytes data(2 + 2 * c.dataWords, 0);
        place(data, 0, {Hi(c.head), Lo(c.head), 0xFF, 0xFF});
        EXPECT_EQ(bench.data(), data);
        place(option, 0x24, {Hi(c.field24), Lo(c.field24)});
        place(option, 0x3B, {0xFF, 0xFF});
        EXPECT_EQ(bench.option(), withCommonFields(option, c.checksum));
    }
}

// The first 128 template bytes, zeros after them, and the fields of the large images.
Bytes largeImageOption(const Bytes& prototype, std::uint8_t field2B, std::uint16_t checksum) {
    Bytes option(prototype.begin(), prototype.begin() + 128);
    option.resize(256, 0);
    place(option, 0x2B, {field2B, 0x00});
    place(option, 0x3B, {0xFF, 0xFF});
    return withCommonFields(option, checksum);
}

TEST(LargeImageFamily, QR62J61InformationWordsAndTemplateBytes) {
    ConvertBench bench;
    const Bytes prototype = writeTemplate(bench.dir, "QR62J61", {{36, 0x39}, {37, 0x42}});
    Bytes file(0x1001E, 0);
    place(file, 0, {0xFF, 0xFF});
    place(file, 0x10000, {0xAB, 0xCD, 0x5C, 0x77});
    place(file, 0x1001C, {0x01, 0x00});  // the last of the 13 fed words: 0x0100 -> 0x8603
    const auto program = bench.dir.writeBytes("prog.bin", file);
    ASSERT_EQ(bench.convert(bench.familyJob("QR62J61", 0x1390, program)), 0)
        << testing::PrintToString(bench.messages());
    Bytes data(0xC000, 0);
    place(data, 0, {0xFF, 0xFF});
    EXPECT_EQ(bench.data(), data);
    Bytes option = largeImageOption(prototype, 0x5E, 0x8603);
    place(option, 0x80, {0xA9, 0x42, 0x00, 0x77});
    EXPECT_EQ(bench.option(), option);
    EXPECT_TRUE(bench.result.unprotect);
    EXPECT_EQ(bench.result.descriptionText, program.string());
}

TEST(LargeImageFamily, QR6417InformationAreaFollowsTheData) {
    for (const std::uint8_t idSecond : {0x13, 0x12}) {
        ConvertBench bench;
        const Bytes prototype = writeTemplate(bench.dir, "QR6417");
        Bytes file(0x87FE, 0);
        place(file, 0, {0xFF, 0xFF});
        place(file, 0x8000, {0x12, 0x34, 0x0F, 0x56});
        place(file, 0x87F8, {0x00, 0x01, 0x9A, 0xBC, 0x82, idSecond});
        const auto program = bench.dir.writeBytes("prog.bin", file);
        const int result = bench.convert(bench.familyJob("QR6417", 0x1382, program));
        if (idSecond != 0x13) {
            EXPECT_EQ(result, 1);
            EXPECT_EQ(bench.messages(), Texts{program.string() + " ID error\n"});
            continue;
        }
        ASSERT_EQ(result, 0);
        Bytes data(0x8800, 0);
        place(data, 0, {0xFF, 0xFF});
        place(data, 0x8000, {0x12, 0x34, 0x0C, 0x56});
        place(data, 0x87F8, {0x00, 0x01, 0x9A, 0xBC, 0x82, 0x13, 0x00, 0x00});
        EXPECT_EQ(bench.data(), data);
        EXPECT_EQ(bench.option(), largeImageOption(prototype, 0x0F, 0x8005));
        EXPECT_FALSE(bench.result.unprotect);
    }
}

// A file the family cannot take wholly, too short for it, or HEX text that is none, is the
// program file's failure, and no buffer is written.
TEST(ConvertByInsideNumber, UnusableProgramFileIsAnOpenFailure) {
    // QRV7041 holds 0x10 words here: header, 32 bytes and an odd trailing byte at most.
    const std::string hex = ":0100000011EE\n:0100010022DC\n:00000001FF\n";
    struct Case {
        const char* chip;
        std::uint32_t insideNumber;
        const char* name;
        std::string content;
        std::string reason;  // empty when accepted
    };
    const Case cases[] = {
        {"QRV7041", 0x1604, "prog.otp", std::string(32 + 32 + 1, '\0'), ""},
        {"QRV7041", 0x1604, "prog.otp", std::string(32 + 34, '\0'),
         "It is 66 bytes; QRV7041 takes an image of at most 65 bytes."},
        {"QRV7041", 0x1604, "prog.otp", hex,
         "It is Intel HEX text; QRV7041 takes *.otp files (a binary image)."},
        {"QRV7041", 0x1604, "prog.otp", std::string(31, '\0'),
         "It is 31 bytes; QRV7041 needs 32 bytes (up to offset 0x1F)."},
        {"QR6401", 0x1397, "prog.otp", std::string(0x401F, '\0'),
         "It is 16415 bytes; QR6401 needs 16416 bytes (up to offset 0x401F)."},
        {"QRV7003", 0x1630, "prog.hex", "not a hex file\n", "it is not in Intel HEX format"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chip << " " << c.content.size());
        ConvertBench bench;
        writeTemplate(bench.dir, c.chip);
        const auto program = bench.dir.write(c.name, c.content);
        ConversionJob job = bench.familyJob(c.chip, c.insideNumber, program);
        if (c.insideNumber == 0x1604) {
            bench.ic.Program_Capacity = 0x10;
            job.fileTypes = "*.otp";
        }
        EXPECT_EQ(bench.convert(job), c.reason.empty() ? 0 : 1);
        if (!c.reason.empty()) {
            EXPECT_EQ(bench.messages(), Texts{program.string() + " open file error\n" + c.reason});
            EXPECT_FALSE(std::filesystem::exists(bench.dir / "buffer_data.prog"));
        }
    }
}

TEST(ConvertByInsideNumber, UnknownNumberIsNotSupported) {
    ConvertBench bench;
    EXPECT_EQ(bench.convert(bench.familyJob("QX0000", 0x1234, bench.dir / "prog.bin")), 1);
    EXPECT_EQ(bench.diagnostics, "No support !");
    EXPECT_FALSE(std::filesystem::exists(bench.dir / "buffer_option.prog"));
}

}  // namespace
}  // namespace vexlor::test
