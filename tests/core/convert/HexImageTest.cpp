#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/convert/HexImage.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using test::readBytes;
using test::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

struct HexRun {
    int result;
    Bytes output;
    bool outputExists;
    std::string diagnostics;
};

HexRun runHex(const std::string& text, int fillMode, std::uint32_t lengthOverride = 0) {
    ScratchDir dir;
    const auto input = dir.write("prog.hex", text);
    const auto output = dir / "prog.bin";
    std::string captured;
    Diagnostics diagnostics([&](std::string_view line) { captured += line; });
    HexRun run{ConvertHexToImage(input, output, fillMode, lengthOverride, diagnostics),
               {},
               false,
               captured};
    run.outputExists = std::filesystem::exists(output);
    if (run.outputExists) {
        run.output = readBytes(output);
    }
    run.diagnostics = captured;
    return run;
}

struct HexCase {
    const char* name;
    std::string text;
    int fillMode;
    std::uint32_t lengthOverride;
    Bytes expected;
};

TEST(ConvertHexToImage, WritesTheImageUpToTheHighestAddress) {
    const HexCase cases[] = {
        {"one data record", ":0400000001020304F2\n:00000001FF\n", 1, 0, {1, 2, 3, 4}},
        {"CRLF line ends", ":0400000001020304F2\r\n:00000001FF\r\n", 1, 0, {1, 2, 3, 4}},
        {"lower-case digits", ":02000000abcd00\n:00000001FF\n", 1, 0, {0xAB, 0xCD}},
        {"non-hex data digits count as 0", ":02000000G1H2\n:00000001FF\n", 1, 0, {0x01, 0x02}},
        {"checksum is not checked", ":0100000011FF\n", 1, 0, {0x11}},
        {"gap keeps 0xFF in mode 1",
         ":0100000011EE\n:0100030022DA\n",
         1,
         0,
         {0x11, 0xFF, 0xFF, 0x22}},
        {"gap keeps 0x00 in mode 3",
         ":0100000011EE\n:0100030022DA\n",
         3,
         0,
         {0x11, 0x00, 0x00, 0x22}},
        {"gap from an odd address in mode 2",
         ":01000000AA55\n:01000300BB41\n",
         2,
         0,
         {0xAA, 0x3F, 0xFF, 0xBB}},
        {"gap from an even address in mode 2",
         ":01000000AA55\n:01000400BB40\n",
         2,
         0,
         {0xAA, 0x3F, 0xFF, 0x3F, 0xBB}},
        {"unknown fill mode behaves as mode 1",
         ":0100000011EE\n:0100020022DB\n",
         7,
         0,
         {0x11, 0xFF, 0x22}},
        {"records after end of file are ignored",
         ":0100000011EE\n:00000001FF\n:0100010022DC\n",
         1,
         0,
         {0x11}},
        {"lines after a non-record line are ignored",
         ":0100000011EE\nrubbish\n:0100010022DC\n",
         1,
         0,
         {0x11}},
        {"types 2 and 3 are skipped",
         ":020000021000EC\n:0400000300001234B3\n:0100000011EE\n",
         1,
         0,
         {0x11}},
        {"type 5 is stored as data", ":04000005000000CD2A\n", 1, 0, {0x00, 0x00, 0x00, 0xCD}},
        {"type-04 first line in mode 1 does not scale",
         ":020000040000FA\n:02000200AABB97\n",
         1,
         0,
         {0x00, 0x00, 0xAA, 0xBB}},
        {"type-04 first line in mode 2 scales by 2",
         ":020000040000FA\n:02000200AABB97\n",
         2,
         0,
         {0x00, 0x00, 0xFF, 0x3F, 0xAA, 0xBB}},
        {"count of one word scales in mode 3", ":020001001234B7\n", 3, 0, {0x00, 0x00, 0x12, 0x34}},
        {"only end of file gives an empty image", ":00000001FF\n", 1, 0, {}},
        {"override with mode 1 blank", ":00000001FF\n", 1, 5, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"override with mode 2 blank", ":00000001FF\n", 2, 5, {0xFF, 0x3F, 0xFF, 0x3F, 0xFF}},
        {"override with mode 3 blank", ":00000001FF\n", 3, 3, {0x00, 0x00, 0x00}},
        {"override cuts the image", ":0400000001020304F2\n", 1, 2, {0x01, 0x02}},
    };
    for (const HexCase& c : cases) {
        const HexRun run = runHex(c.text, c.fillMode, c.lengthOverride);
        EXPECT_EQ(run.result, 0) << c.name;
        EXPECT_TRUE(run.outputExists) << c.name;
        EXPECT_EQ(run.output, c.expected) << c.name;
    }
}

TEST(ConvertHexToImage, RejectsFilesThatDoNotStartWithARecord) {
    const char* texts[] = {"; made by hand\n:0100000011EE\n", "\n:0100000011EE\n", "", "0100\n"};
    for (const char* text : texts) {
        const HexRun run = runHex(text, 1);
        EXPECT_EQ(run.result, 1) << text;
        EXPECT_FALSE(run.outputExists) << text;
        EXPECT_NE(run.diagnostics.find(" Not Intel HEX format ???\n"), std::string::npos) << text;
        EXPECT_EQ(run.diagnostics.rfind("File ", 0), 0u) << text;
    }
}

TEST(ConvertHexToImage, MissingInputIsReported) {
    ScratchDir dir;
    std::string captured;
    Diagnostics diagnostics([&](std::string_view line) { captured += line; });
    const auto input = dir / "absent.hex";
    EXPECT_EQ(ConvertHexToImage(input, dir / "out.bin", 1, 0, diagnostics), 1);
    EXPECT_EQ(captured, input.string() + " open failed !\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bin"));
}

TEST(ConvertHexToImage, UncreatableOutputFailsSilently) {
    ScratchDir dir;
    const auto input = dir.write("prog.hex", ":0100000011EE\n");
    std::string captured;
    Diagnostics diagnostics([&](std::string_view line) { captured += line; });
    EXPECT_EQ(ConvertHexToImage(input, dir / "no-such-dir" / "out.bin", 1, 0, diagnostics), 1);
    EXPECT_EQ(captured, "");
}

TEST(ConvertHexToImage, RecordsMustEndInsideTheImage) {
    // 0xFFFF + 21 bytes ends exactly at 65,556; one byte more would pass the end.
    const std::string fits = ":15FFFF00" + std::string(42, '1') + "00\n";
    const HexRun inside = runHex(fits, 1);
    ASSERT_EQ(inside.result, 0);
    ASSERT_EQ(inside.output.size(), 65556u);
    EXPECT_EQ(inside.output[0xFFFE], 0xFF);
    EXPECT_EQ(inside.output[0xFFFF], 0x11);
    EXPECT_EQ(inside.output[65555], 0x11);

    const std::string past = ":16FFFF00" + std::string(44, '1') + "00\n";
    EXPECT_EQ(runHex(past, 1).result, 1);
    // Scaled by 2, word address 0x8009 lands on 0x10012 and its two bytes end at 65,556;
    // word address 0x800A would end two bytes past it.
    EXPECT_EQ(runHex(":02800A001234\n", 3).result, 1);
    const HexRun scaledInside = runHex(":028009001234\n", 3);
    EXPECT_EQ(scaledInside.result, 0);
    ASSERT_EQ(scaledInside.output.size(), 65556u);
    EXPECT_EQ(scaledInside.output[0x10012], 0x12);
    EXPECT_EQ(scaledInside.output[0x10013], 0x34);
}

TEST(ParseHexField, SkipsLeadingZerosAndBlanksAndStopsAtANonDigit) {
    struct Case {
        std::string text;
        std::uint32_t expected;
    };
    const Case cases[] = {{"0A", 10},    {" 1", 1},        {"G1", 0}, {"1G", 1},
                          {"00FF", 255}, {"ffff", 0xFFFF}, {"", 0},   {"123456789", 0x12345678}};
    for (const Case& c : cases) {
        EXPECT_EQ(parseHexField(c.text.data(), c.text.size()), c.expected) << c.text;
    }
}

}  // namespace
}  // namespace vexlor
