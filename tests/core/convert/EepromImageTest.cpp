#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/convert/EepromImage.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using test::readBytes;
using test::RecordingOperator;
using test::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

Bytes counting(std::size_t length) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i);
    }
    return bytes;
}

TEST(BuildEepromImage, FullBinaryLosesItsLastByte) {
    ScratchDir dir;
    RecordingOperator op;
    const auto input = dir.writeBytes("data.bin", counting(256));
    ASSERT_TRUE(BuildEepromImage(input, dir / "data_new.bin", "QRV7038EEPROM", op));
    EXPECT_TRUE(op.shown.empty());
    const Bytes image = readBytes(dir / "data_new.bin");
    ASSERT_EQ(image.size(), 525u);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 13), "QRV7038EEPROM");
    EXPECT_EQ(image[13], 0x07);
    EXPECT_EQ(image[14], 0x82);
    // Entry k sits at 13 + 2k and carries binary byte k - 1.
    const struct {
        std::size_t entry;
        std::uint8_t data;
    } entries[] = {{1, 0x00}, {2, 0x01}, {128, 0x7F}, {255, 0xFE}};
    for (const auto& e : entries) {
        EXPECT_EQ(image[13 + 2 * e.entry], 0x18) << e.entry;
        EXPECT_EQ(image[14 + 2 * e.entry], e.data) << e.entry;
    }
}

TEST(BuildEepromImage, ShortBinaryIsPaddedWithZeros) {
    ScratchDir dir;
    RecordingOperator op;
    const auto input = dir.writeBytes("data.bin", {0xA1, 0xB2, 0xC3});
    ASSERT_TRUE(BuildEepromImage(input, dir / "out.bin", "QRV7079EEPROM", op));
    const Bytes image = readBytes(dir / "out.bin");
    ASSERT_EQ(image.size(), 525u);
    EXPECT_EQ(image[16], 0xA1);
    EXPECT_EQ(image[18], 0xB2);
    EXPECT_EQ(image[20], 0xC3);
    EXPECT_EQ(image[21], 0x18);
    EXPECT_EQ(image[22], 0x00);
    EXPECT_EQ(image[524], 0x00);
}

TEST(BuildEepromImage, FailuresAreShownAndWriteNothing) {
    struct Case {
        const char* name;
        std::size_t inputLength;  // 0: no input file
        bool outputDirectoryExists;
        std::string message;
    };
    const Case cases[] = {
        {"one byte too long", 257, true, "bin file Length over 256 Byte"},
        {"missing input", 0, true, "Open bin file failed!"},
        {"output not creatable", 10, false, "Create bin file failed!"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        RecordingOperator op;
        const auto input =
            c.inputLength ? dir.writeBytes("data.bin", counting(c.inputLength)) : dir / "data.bin";
        const auto output = c.outputDirectoryExists ? dir / "out.bin" : dir / "none" / "out.bin";
        EXPECT_FALSE(BuildEepromImage(input, output, "QRV7038EEPROM", op)) << c.name;
        ASSERT_EQ(op.shown.size(), 1u) << c.name;
        EXPECT_EQ(op.last().text, c.message) << c.name;
        EXPECT_FALSE(std::filesystem::exists(output)) << c.name;
    }
}

}  // namespace
}  // namespace vexlor
