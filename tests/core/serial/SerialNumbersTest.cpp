#include <gtest/gtest.h>

#include <tuple>

#include "core/serial/SerialImage.h"
#include "core/serial/SerialInfo.h"
#include "core/serial/SerialNumber.h"
#include "core/serial/SerialRunState.h"
#include "core/serial/SerialSetModel.h"

namespace vexlor {
namespace {

SerialNumber hex(std::string_view text) {
    auto value = SerialNumber::FromHex(text);
    EXPECT_TRUE(value) << text;
    return value.value_or(SerialNumber{});
}

TEST(SerialNumber, HexTextRoundTripsInUpperCaseAndRefusesNoNumberOrOver128Bits) {
    const auto check = [](const char* in, const char* out) {
        EXPECT_EQ(hex(in).ToHex(), out) << in;
    };
    check("ffff", "FFFF");
    check("000A", "A");
    check("", "0");
    check("0", "0");
    check("00000000000000000000000000000000000012", "12");
    check("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF");
    for (const char* text : {"12G4", "0x12", " 1", "1FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"}) {
        EXPECT_FALSE(SerialNumber::FromHex(text)) << text;
    }
}

TEST(SerialNumber, ArithmeticCarriesAcrossDigitsAndWrapsAt128Bits) {
    EXPECT_EQ((hex("FFFF") + hex("1")).ToHex(), "10000");
    EXPECT_EQ((hex("FFFFFFFFFFFFFFFF") + hex("FFFFFFFFFFFFFFFF")).ToHex(), "1FFFFFFFFFFFFFFFE");
    SerialNumber n = hex("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF");
    n.increment();
    EXPECT_TRUE(n.isZero());
    n.decrement();
    EXPECT_EQ(n, hex("ffffffffffffffffffffffffffffffff"));
    SerialNumber borrow = hex("10000000000000000");
    borrow.decrement();
    EXPECT_EQ(borrow.ToHex(), "FFFFFFFFFFFFFFFF");
    EXPECT_FALSE(hex("1") == hex("2"));
}

TEST(SerialImage, TextIsRightAlignedWithZerosInFront) {
    SerialImage image;
    image.fill(0xEE);
    HexTextToImage("ffff", image);
    EXPECT_EQ(image, (SerialImage{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}));
    HexTextToImage("10000", image);
    EXPECT_EQ(image, (SerialImage{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}));
    HexTextToImage("123456789ABCDEF0123456789abcdef0", image);
    EXPECT_EQ(image, (SerialImage{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56,
                                  0x78, 0x9A, 0xBC, 0xDE, 0xF0}));
}

TEST(SerialImage, StopCharacterLeavesTheBytesNotReached) {
    SerialImage image;
    image.fill(0xEE);
    // Positions 28..31 take "12\n4": the line feed at position 30 ends it.
    HexTextToImage("12\n4", image);
    SerialImage expected{};
    expected[14] = 0x12;
    expected[15] = 0xEE;
    EXPECT_EQ(image, expected);
    image.fill(0xEE);
    // The stop at an odd position keeps the high nibble just written.
    HexTextToImage("123-", image);
    expected[14] = 0x12;
    expected[15] = 0x30;
    EXPECT_EQ(image, expected);
}

TEST(SerialDisplay, PadsToTwiceTheLengthAndShowsLongerTextWhole) {
    EXPECT_EQ(PadSerialForDisplay("1A", 3), "00001A");
    EXPECT_EQ(PadSerialForDisplay("1A2", 1), "1A2");
    EXPECT_EQ(PadSerialForDisplay("5", 16), std::string(31, '0') + "5");
    EXPECT_EQ(PadSerialForDisplay("5", 0), std::nullopt);
    EXPECT_EQ(PadSerialForDisplay("5", 17), std::nullopt);
}

TEST(SerialRunState, StartUpAndClosedValues) {
    SerialRunState state;
    state.loadedToWriter = true;
    state.ResetAfterClose();
    EXPECT_EQ(state.currentSerial, std::string(32, '0'));
    EXPECT_EQ(state.lengthBytes, 16);
    state.ResetToStartUp();
    EXPECT_EQ(std::tuple(state.currentSerial, state.endSerial, state.amountText, state.lengthBytes,
                         state.okText, state.loadedToWriter),
              std::tuple(std::string(16, '0'), std::string(16, '0'), "0", 8, "", true));
}

// A writer header holding a run: mode, length, address, end number and current number.
std::array<std::uint8_t, 512> headerWith(std::uint8_t length, std::uint32_t endLow,
                                         std::uint32_t currentLow) {
    std::array<std::uint8_t, 512> header{};
    header[0x35] = 0x10;
    header[0x36] = length;
    header[0x37] = 0x1F;
    header[0x38] = 0xE2;
    for (int i = 0; i < 4; ++i) {
        header[0x6C + i] = static_cast<std::uint8_t>(endLow >> (24 - 8 * i));
        header[0x7C + i] = static_cast<std::uint8_t>(currentLow >> (24 - 8 * i));
    }
    return header;
}

TEST(SerialInfo, NumbersAreWrittenWithTheDigitsTheLengthNeeds) {
    auto header = headerWith(5, 0x10, 0x00000001);
    header[0x7B] = 0xAB;  // word 2 of the current number
    SerialRunState state;
    TakeSerialInfo(header, state);
    EXPECT_EQ(std::tuple(state.currentSerial, state.endSerial, state.amountText, state.startAddress,
                         state.lengthBytes),
              std::tuple("AB00000001", "0000000010", "F", 0x1FE2u, 5));
    header[0x36] = 16;
    header[0x70] = 0x01;
    TakeSerialInfo(header, state);
    EXPECT_EQ(state.currentSerial, "0100000000000000000000AB00000001");
    header[0x36] = 1;
    TakeSerialInfo(header, state);
    EXPECT_EQ(state.currentSerial, "01");
    EXPECT_EQ(state.endSerial, "10");
}

TEST(SerialInfo, AmountIsTheLow32BitDifferenceAndBadLengthsKeepTheTexts) {
    SerialRunState state;
    state.currentSerial = "kept";
    TakeSerialInfo(headerWith(0, 5, 6), state);
    EXPECT_EQ(state.amountText, "FFFFFFFF");
    EXPECT_EQ(state.currentSerial, "kept");
    TakeSerialInfo(headerWith(17, 5, 6), state);
    EXPECT_EQ(state.currentSerial, "kept");
    for (const std::uint8_t badLength : {0, 17}) {
        EXPECT_EQ(SerialWordsText(headerWith(4, 5, 6), 0x70, badLength), "") << int(badLength);
    }
    EXPECT_EQ(SerialUsage(headerWith(4, 0, 0)), 1);
}

}  // namespace
}  // namespace vexlor
