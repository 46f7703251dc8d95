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

// The chip's name, 07 82, then entry k at 13 + 2k: 18 and binary byte k - 1, up to entry 255.
TEST(BuildEepromImage, NameThenOneEntryPerBinaryByte) {
    const struct {
        const char* name;
        Bytes binary;
        std::vector<std::pair<std::size_t, std::uint8_t>> entries;
    } cases[] = {
        // A full binary loses its last byte.
        {"QRV7038EEPROM", counting(256), {{1, 0x00}, {2, 0x01}, {128, 0x7F}, {255, 0xFE}}},
        // A short one is padded with zeros.
        {"QRV7079EEPROM",
         {0xA1, 0xB2, 0xC3},
         {{1, 0xA1}, {2, 0xB2}, {3, 0xC3}, {4, 0x00}, {255, 0x00}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        RecordingOperator op;
        const auto input = dir.writeBytes("data.bin", c.binary);
        ASSERT_TRUE(BuildEepromImage(input, dir / "data_new.bin", c.name, op));
        EXPECT_TRUE(op.shown.empty());
        const Bytes image = readBytes(dir / "data_new.bin");
        ASSERT_EQ(image.size(), 525u);
        EXPECT_EQ(std::string(image.begin(), image.begin() + 13), c.name);
        EXPECT_EQ(image[13], 0x07);
        EXPECT_EQ(image[14], 0x82);
        for (const auto& [entry, data] : c.entries) {
            EXPECT_EQ(image[13 + 2 * entry], 0x18) << entry;
            EXPECT_EQ(image[14 + 2 * entry], data) << entry;
        }
    }
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
