#include "TestBuffers.h"

namespace vexlor::datagen {

namespace {
constexpr float kDefaultVdd = 5.0f;
constexpr std::size_t kTestDataSize = 0x8000;
}  // namespace

OptionBlock MakeTestOptionBuffer() {
    OptionBlock block{};
    WriteHeaderBasics(block, "KLWTEST", kDefaultVdd, kDefaultVdd);
    return block;
}

std::vector<std::uint8_t> MakeTestDataBuffer() {
    std::vector<std::uint8_t> data(kTestDataSize);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>((i & 0xFF) ^ (i >> 8) ^ 0x5A);
    }
    return data;
}

OptionBlock MakeSerialBlock() {
    OptionBlock block{};
    WriteHeaderBasics(block, "", kDefaultVdd, kDefaultVdd);
    block[0x35] = 0x10;  // serial numbers on their own, low byte first
    block[0x36] = 8;     // length in bytes
    block[0x37] = 0x00;  // start address
    block[0x38] = 0x00;
    block[0x39] = 0x00;  // first address after the number
    block[0x3A] = 0x08;
    block[0x6F] = 0x01;  // first number not to use: 0 + 1
    return block;
}

}  // namespace vexlor::datagen
