#include <gtest/gtest.h>

#include "ConvertTestSupport.h"

namespace vexlor::test {
namespace {

// Hand reduction modulo x^16 + x^15 + x^2 + 1. A word w fed to register r leaves
// (r ^ w) * x^16 mod P, so a word equal to the register clears it. Single words from zero:
// 0x0001 -> 0x8005; 0x3FFF -> 0x8002 (XOR of x^16..x^29 reduced); then for the blank tail:
// 0x8002 ^ 0x3FFF = 0xBFFD = 0x3FFF ^ 0x8002 -> 0x8002 ^ 0x8009 ^ 0x800F = 0x8004.
// Configuration fed OR 0x231F:
//   0x3FE0 -> 0x3FFF; 0x8004 ^ 0x3FFF = 0xBFFB = 0x3FFF ^ 0x8004 -> 0x8002^0x8009^0x801B = 0x8010
//   0x2FE0 -> 0x2FFF; 0x8004 ^ 0x2FFF = 0xAFFB = 0x3FFF ^ 0x9004
//            -> 0x8002 ^ 0x8009 ^ 0xE003 ^ 0x801B = 0x6013
struct WordCase {
    const char* name;
    std::uint8_t configHigh;  // byte 0xFF9: bit 4 clear means a protected area of 0x400 words
    std::size_t firstFed;
    std::uint16_t checksum;
    Bytes field24;
    Bytes field27;
    std::uint8_t field49;
};

const WordCase kUnprotected{"no protected area", 0x3F, 0, 0x0010, {0x3F, 0xFF}, {0x00, 0x00}, 0xFF};
const WordCase kProtected{"protected area", 0x2F, 0x400, 0x3013, {0x2F, 0xFF}, {0x04, 0x00}, 0xFD};

// Words up to 0x7F9 are written: zeros, a 0xFFFF that clears the start value at the first fed
// word, 0x0001 as the 0x256th fed word (partial checksum 0x8005 & 0x3FFF = 5) and 0x8005 to
// clear it again; a junk word 1 that only a protected area keeps out of the checksum. Words
// 0x7FA and 0x7FB keep the blank fill.
std::string wordHexFile(const WordCase& c, std::uint8_t idFirst = 0x50,
                        std::uint8_t idSecond = 0x03) {
    Bytes words(0x7FA * 2, 0);
    place(words, 2 * c.firstFed, {0xFF, 0xFF});
    place(words, 2 * (c.firstFed + 0x255), {0x01, 0x00});
    place(words, 2 * (c.firstFed + 0x256), {0x05, 0x80});
    if (c.firstFed > 1) {
        place(words, 2, {0x34, 0x12});
    }
    return hexText({{0, words}, {0xFF8, {0xE0, c.configHigh}}, {0xFFC, {idFirst, idSecond}}});
}

Bytes expectedData(const WordCase& c) {
    Bytes data(0x7FC * 2 + 8, 0);
    place(data, 2 * c.firstFed, {0xFF, 0xFF});
    place(data, 2 * (c.firstFed + 0x255), {0x00, 0x01});
    place(data, 2 * (c.firstFed + 0x256), {0x80, 0x05});
    if (c.firstFed > 1) {
        place(data, 2, {0x12, 0x34});
    }
    for (std::size_t at = 0x7FA * 2; at < data.size(); at += 2) {
        place(data, at, {0x3F, 0xFF});
    }
    return data;
}

Bytes expectedOption(const WordCase& c) {
    Bytes option(256, 0xEE);
    place(option, 0x16, {0x07, 0xFA, 0x07, 0xFC});
    place(option, 0x24, {c.field24[0], c.field24[1]});
    place(option, 0x27, {c.field27[0], c.field27[1]});
    place(option, 0x3B, {0xFF, 0xFF});
    place(option, 0x48, {0x8E, c.field49});
    place(option, 0x54, {0x00, 0x05});
    return withCommonFields(option, c.checksum);
}

TEST(WordHexFamily, BuffersWithAndWithoutProtectedArea) {
    for (const WordCase* c : {&kUnprotected, &kProtected}) {
        for (const auto& [chipName, number] :
             {std::pair<const char*, std::uint32_t>{"QN8703_5XX", 0x27505},
              {"QN8703_8XX", 0x27506}}) {
            ConvertBench bench;
            writeTemplate(bench.dir, chipName);
            const auto program = bench.dir.write("prog.hex", wordHexFile(*c));
            ASSERT_EQ(bench.convert(bench.familyJob(chipName, number, program)), 0)
                << c->name << testing::PrintToString(bench.messages());
            EXPECT_EQ(bench.option(), expectedOption(*c)) << c->name << " " << chipName;
            EXPECT_EQ(bench.data(), expectedData(*c)) << c->name << " " << chipName;
            EXPECT_EQ(bench.result.checksum, c->checksum) << c->name;
            EXPECT_EQ(bench.result.secondaryChecksum, c == &kProtected ? 0x2FE0u : 0x3FE0u);
            EXPECT_EQ(bench.result.descriptionText, (bench.dir / "work" / "prog.bin").string());
        }
    }
}

TEST(WordHexFamily, IdentificationBytes) {
    const std::pair<std::uint8_t, std::uint8_t> ids[] = {
        {0x50, 0x03}, {0x50, 0xFF}, {0x51, 0x03}, {0x50, 0x02}, {0x50, 0x01}};
    for (const auto& [first, second] : ids) {
        ConvertBench bench;
        writeTemplate(bench.dir, "QN8703_5XX");
        const auto program = bench.dir.write("prog.hex", wordHexFile(kUnprotected, first, second));
        const bool accepted = first == 0x50 && (second == 0x03 || second == 0xFF);
        EXPECT_EQ(bench.convert(bench.familyJob("QN8703_5XX", 0x27505, program)), accepted ? 0 : 1)
            << int(first) << " " << int(second);
        EXPECT_EQ(bench.messages(), accepted ? Texts{} : Texts{program.string() + " ID error\n"});
    }
}

TEST(WordHexFamily, SerialNumberAddressesMoveOnlyWithAProtectedArea) {
    struct Case {
        const WordCase* image;
        std::uint8_t endLow;
        int result;
        Bytes addresses;  // option 0x37-0x3A
    };
    const Case cases[] = {
        {&kProtected, 0xFB, 0, {0x03, 0x10, 0x07, 0xFB}},
        {&kProtected, 0xFC, 1, {}},
        {&kUnprotected, 0xFC, 0, {0x01, 0x10, 0x05, 0xFC}},
    };
    for (const Case& c : cases) {
        ConvertBench bench;
        writeTemplate(bench.dir, "QN8703_8XX");
        Bytes serial(256, 0);
        place(serial, 0x35, {0x20, 0x04, 0x01, 0x10, 0x05, c.endLow});
        place(serial, 0x60, {0xDE, 0xAD});
        place(serial, 0x7F, {0x42});
        const auto serialPath = bench.dir.writeBytes("serial.txt", serial);
        ConversionJob job = bench.familyJob("QN8703_8XX", 0x27506,
                                            bench.dir.write("prog.hex", wordHexFile(*c.image)));
        job.flags.displaySerialNumber = true;
        EXPECT_EQ(bench.convert(job), c.result) << c.image->name;
        EXPECT_EQ(readBytes(serialPath), serial) << "the serial block is left as it was";
        if (c.result != 0) {
            EXPECT_EQ(bench.messages(), Texts{"S/N End Address > 0x7fc"});
            continue;
        }
        const Bytes option = bench.option();
        EXPECT_EQ(slice(option, 0x35, 2), (Bytes{0x20, 0x04}));
        EXPECT_EQ(slice(option, 0x37, 4), c.addresses);
        EXPECT_EQ(slice(option, 0x60, 2), (Bytes{0xDE, 0xAD}));
        EXPECT_EQ(option[0x7F], 0x42);
    }
}

// Serial end (high + 2) * 256 + low must stay below the chip's last word; the largest chip's
// ID's first byte must be 0x55; only the small chips write the EXHV flag.
TEST(WordHexFamily, SmallAndLargestChipConstants) {
    const std::string small = hexText({{0, Bytes(0x7F6, 0)}, {0x7F8, {0xE0, 0x2F, 0x01, 0x03}}});
    const auto largest = [](std::uint8_t idFirst) {
        return hexText({{0, Bytes(16, 0)}, {0x1FF8, {0xE0, 0x2F}}, {0x1FFC, {idFirst, 0x03}}});
    };
    struct Case {
        const char* chip;
        std::uint32_t number;
        std::string program;
        Bytes serialEnd;  // serial block 0x37-0x3A
        bool exhv;
        std::string message;  // empty: converted; a leading space: after the program's path
        Bytes at37 = {}, at18 = {}, at48 = {};
        std::uint8_t at4C = 0;
        std::size_t dataSize = 0;  // the chip's words, then four blank words
    };
    // The small chip converted, with or without the EXHV flag.
    const auto smallConverted = [&](bool exhv, std::uint8_t at4C) {
        return Case{"QN6223",
                    0x28012,
                    small,
                    {0x00, 0x10, 0x01, 0xFB},
                    exhv,
                    "",
                    {0x02, 0x10, 0x03, 0xFB},
                    {0x03, 0xFB},
                    {0x86, 0xFB},
                    at4C,
                    0x3FBu * 2 + 8};
    };
    const Case cases[] = {
        smallConverted(true, 1),
        smallConverted(false, 0),
        {"QN6223", 0x28012, small, {0x00, 0x10, 0x01, 0xFC}, true, "S/N End Address > 0x3fb"},
        {"QN3244",
         0x27552,
         largest(0x55),
         {0x00, 0x20, 0x0D, 0xFB},
         false,
         "",
         {0x02, 0x20, 0x0F, 0xFB},
         {0x0F, 0xFC},
         {0x8E, 0xFD},
         0xEE,
         0xFFCu * 2 + 8},
        {"QN3244",
         0x27552,
         largest(0x55),
         {0x00, 0x20, 0x0D, 0xFC},
         false,
         "S/N End Address > 0xffc"},
        {"QN3244", 0x27552, largest(0x50), {0x00, 0x20, 0x0D, 0xFB}, false, " ID error\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chip << " " << int(c.serialEnd[3]) << " " << c.exhv);
        ConvertBench bench;
        writeTemplate(bench.dir, c.chip);
        Bytes serial(256, 0);
        std::copy(c.serialEnd.begin(), c.serialEnd.end(), serial.begin() + 0x37);
        bench.dir.writeBytes("serial.txt", serial);
        const auto program = bench.dir.write("prog.hex", c.program);
        ConversionJob job = bench.familyJob(c.chip, c.number, program);
        job.flags.displaySerialNumber = true;
        job.flags.exhvIspProgram = c.exhv;
        EXPECT_EQ(bench.convert(job), c.message.empty() ? 0 : 1);
        if (!c.message.empty()) {
            EXPECT_EQ(bench.messages(),
                      Texts{c.message[0] == ' ' ? program.string() + c.message : c.message});
            continue;
        }
        const Bytes option = bench.option();
        EXPECT_EQ(slice(option, 0x37, 4), c.at37);
        EXPECT_EQ(slice(option, 0x18, 2), c.at18);
        EXPECT_EQ(slice(option, 0x48, 2), c.at48);
        EXPECT_EQ(option[0x4C], c.at4C);
        EXPECT_EQ(bench.data().size(), c.dataSize);
    }
}

}  // namespace
}  // namespace vexlor::test
