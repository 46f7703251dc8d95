// Writer-side files of the base directory: firmware images, test buffers and serial block.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "DeliveredData.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

// The attach test (0x39 == 0xC8, high nibble of 0xFA8F == 5) and the update's model check
// (0x5A at 0xFA8F or 0x5B at 0xFA90) must both pass, or a re-attach forces a reset.
void ExpectUsableImage(const fs::path& file) {
    const auto image = FileBytes(file);
    ASSERT_EQ(image.size(), 0x10800u) << file;
    EXPECT_EQ(image[0x39], 0xC8) << file;
    EXPECT_EQ(image[0xFA8F] & 0xF0, 0x50) << file;
    EXPECT_TRUE(image[0xFA8F] == 0x5A || image[0xFA90] == 0x5B) << file;
}

TEST(BaseFiles, EveryFirmwareImagePassesTheWriterChecks) {
    for (const char* file : {"firmware/20test.nce", "teststop.nce", "test.nce"}) {
        ExpectUsableImage(Delivered().base / file);
    }
    for (const auto& chip : Delivered().chips) {
        ExpectUsableImage(Delivered().base / "firmware" / chip.keys.FW_File);
    }
}

// A family change is detected by the version, a family by its word: both must differ.
TEST(BaseFiles, FamilyImagesHaveTheirOwnVersionAndFamilyWord) {
    std::set<std::string> files;
    for (const auto& chip : Delivered().chips) {
        files.insert(chip.keys.FW_File);
    }
    ASSERT_GE(files.size(), 5u);
    const auto base = FileBytes(Delivered().base / "firmware" / "20test.nce");
    ASSERT_EQ(base.size(), 0x10800u);
    std::set<std::uint16_t> versions{Word(base, 0xFA90)};
    std::set<std::uint16_t> families;
    for (const auto& file : files) {
        const auto image = FileBytes(Delivered().base / "firmware" / file);
        ASSERT_EQ(image.size(), 0x10800u) << file;
        EXPECT_NE(Word(image, 0xFA90), 0) << file;
        EXPECT_TRUE(versions.insert(Word(image, 0xFA90)).second) << file;
        EXPECT_TRUE(families.insert(Word(image, 0xFA94)).second) << file;
        EXPECT_NE(image, base) << file;
    }
}

TEST(BaseFiles, TestBuffersFitTheWriterAreas) {
    // The writer areas are written through a buffer of 0x20000 bytes.
    for (const char* file : {"test_option.prog", "hwversion1.0/test_option.prog",
                             "hwversion1.1/test_option.prog", "test_data.prog"}) {
        const auto size = FileBytes(Delivered().base / file).size();
        EXPECT_TRUE(size > 0 && size <= 0x20000u) << file;
    }
    // A name outside every chip family keeps the writer's job from being restored from it.
    const auto option = FileBytes(Delivered().base / "hwversion1.1" / "test_option.prog");
    ASSERT_EQ(option.size(), 256u);
    for (const auto& chip : Delivered().chips) {
        EXPECT_NE(chip.name.substr(0, 2), std::string(option.begin(), option.begin() + 2));
    }
    const auto data = FileBytes(Delivered().base / "test_data.prog");
    EXPECT_FALSE(std::equal(data.begin(), data.begin() + 256, data.begin() + 256))
        << "a repeated block would hide an address fault";
}

TEST(BaseFiles, SerialBlockIsAValidHeaderWithTheStartUpRun) {
    const auto block = FileBytes(Delivered().base / "serial.txt");
    ASSERT_EQ(block.size(), 256u);
    for (auto [offset, value] :
         {std::pair{0x0A, 0x03}, {0x0C, 0x05}, {0x0E, 0x07}, {0x0F, 27}, {0xCF, 0x5A}}) {
        EXPECT_EQ(block[offset], value) << offset;
    }
    EXPECT_EQ(block[0x35], 0x10);  // serial numbers by themselves, Low Byte direction
    EXPECT_EQ(block[0x36], 8);
    const unsigned start = Word(block, 0x37);
    EXPECT_EQ(Word(block, 0x39), start + 8);
    // End image (first number not to use) = start image + 1 for a run of one number.
    for (int offset = 0x60; offset < 0x80; ++offset) {
        EXPECT_EQ(block[offset], offset == 0x6F ? 1 : 0) << offset;
    }
}

TEST(BaseFiles, QR62J61TemplateHoldsItsInformationOption) {
    // Its converter copies only the first 128 template bytes and takes option byte 0x80 (low
    // nibble) and 0x81 from template bytes 36 and 37.
    for (const char* hw : {"hwversion1.0", "hwversion1.1"}) {
        const auto bytes = FileBytes(Delivered().base / hw / "QR62J61.txt");
        ASSERT_EQ(bytes.size(), 256u) << hw;
        EXPECT_TRUE(bytes[36] != 0 || bytes[37] != 0) << hw << ": no default option";
        EXPECT_EQ(bytes[36] & 0xF0, 0) << hw << ": a high nibble would be dropped";
    }
}

}  // namespace
}  // namespace vexlor::test
