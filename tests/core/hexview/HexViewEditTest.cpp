#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "HexViewFixture.h"

namespace vexlor {
namespace {

using test::clickChar;
using test::clickHex;
using test::makeView;

std::vector<std::uint8_t> bytesOf(const HexViewModel& view) {
    return {view.data().begin(), view.data().end()};
}

TEST(HexViewTyping, UpperAndLowerCaseHexDigitsGiveTheSameNibble) {
    // The result is byte 0x12 after typing.
    const auto check = [&](bool lowDigit, char typed, std::uint8_t result) {
        HexViewModel view = makeView(0x20);
        clickHex(view, 1, 2, lowDigit);  // byte 0x12
        EXPECT_TRUE(view.type(static_cast<std::uint8_t>(typed), false)) << typed;
        EXPECT_EQ(view.data()[0x12], result) << typed;
    };
    check(false, 'F', 0xF2);
    check(false, 'f', 0xF2);
    check(true, 'A', 0x1A);
    check(true, 'a', 0x1A);
    check(false, '0', 0x02);
    check(false, '9', 0x92);
    check(true, 'c', 0x1C);
    check(true, 'E', 0x1E);
}

TEST(HexViewTyping, DigitsWalkThroughTheNibblesAndCharactersThroughTheBytes) {
    HexViewModel view = makeView(4);
    clickHex(view, 0, 0);
    for (char c : std::string("Ff0a")) {
        view.type(static_cast<std::uint8_t>(c), false);
    }
    EXPECT_EQ(bytesOf(view), (std::vector<std::uint8_t>{0xFF, 0x0A, 0x02, 0x03}));
    EXPECT_EQ(view.cursor(), 2);
    EXPECT_EQ(view.nibble(), kHighNibble);
    // The last digit of the buffer keeps the cursor.
    view.type('7', false);
    view.type('8', false);
    view.type('9', false);
    view.type('6', false);
    EXPECT_EQ(bytesOf(view), (std::vector<std::uint8_t>{0xFF, 0x0A, 0x78, 0x96}));
    EXPECT_EQ(view.cursor(), 3);
    EXPECT_EQ(view.nibble(), kLowNibble);
    clickChar(view, 0, 2);
    EXPECT_TRUE(view.type('Z', false));
    EXPECT_TRUE(view.type(0xE9, false));  // Latin-1 e acute fits in a byte
    EXPECT_EQ(bytesOf(view), (std::vector<std::uint8_t>{0xFF, 0x0A, 0x5A, 0xE9}));
    EXPECT_EQ(view.cursor(), 3);
}

TEST(HexViewTyping, RefusedCharactersChangeNothing) {
    const auto check = [&](const char* name, EditMode mode, std::uint32_t character, bool ctrl) {
        HexViewModel view = makeView(8);
        if (mode == EditMode::Hex) {
            clickHex(view, 0, 3);
        } else if (mode == EditMode::Character) {
            clickChar(view, 0, 3);
        } else {
            view.press(10, 5, false);
        }
        EXPECT_FALSE(view.type(character, ctrl)) << name;
        EXPECT_EQ(bytesOf(view), test::countingBytes(8)) << name;
        EXPECT_EQ(view.cursor(), mode == EditMode::None ? 0 : 3) << name;
    };
    check("not a hex digit", EditMode::Hex, 'g', false);
    check("blank in hex", EditMode::Hex, ' ', false);
    check("with ctrl", EditMode::Hex, 'a', true);
    check("tab", EditMode::Character, '\t', false);
    check("backspace", EditMode::Character, '\b', false);
    check("ctrl in character mode", EditMode::Character, 'x', true);
    check("beyond one byte", EditMode::Character, 0x20AC, false);
    check("address column", EditMode::None, 'A', false);
}

TEST(HexViewTyping, TypingClearsTheSelectionAndScrollsOffThePage) {
    HexViewModel view = makeView(1000);
    clickChar(view, 9, 14);
    view.key(HexKey::Right, {true, false});
    ASSERT_TRUE(view.selection().exists());
    view.type('q', false);  // byte 159, the last of the page
    EXPECT_FALSE(view.selection().exists());
    EXPECT_EQ(view.data()[159], 'q');
    EXPECT_EQ(view.cursor(), 160);
    EXPECT_EQ(view.top(), 16);
}

// Ten bytes 00..09; the cursor starts in row 0 and the keys are pressed with Shift.
TEST(HexViewCut, CtrlXRemovesFromLowerToHigherEnd) {
    using enum HexKey;
    const auto check = [&](const char* name, EditMode mode, int startColumn,
                           const std::vector<HexKey>& shiftKeys,
                           const std::vector<std::uint8_t>& remaining, std::int64_t cursor) {
        HexViewModel view = makeView(10);
        if (mode == EditMode::Hex) {
            clickHex(view, 0, startColumn);
        } else {
            clickChar(view, 0, startColumn);
        }
        for (HexKey key : shiftKeys) {
            view.key(key, {true, false});
        }
        EXPECT_TRUE(view.deleteSelection()) << name;
        EXPECT_EQ(bytesOf(view), remaining) << name;
        EXPECT_EQ(std::tuple(view.length(), view.cursor(), view.selection().exists()),
                  std::tuple(static_cast<std::int64_t>(remaining.size()), cursor, false))
            << name;
    };
    check("backwards selection", EditMode::Character, 5, {Left, Left}, {0, 1, 2, 5, 6, 7, 8, 9}, 3);
    check("forwards selection", EditMode::Character, 2, {Right}, {0, 1, 3, 4, 5, 6, 7, 8, 9}, 3);
    // The cursor (9) lay past the new end and comes back onto the last byte.
    check("to the row end in characters", EditMode::Character, 2, {End}, {0, 1, 9}, 2);
    check("to the row end in hex", EditMode::Hex, 2, {End}, {0, 1}, 1);
    check("hex byte under the caret", EditMode::Hex, 4, {Right}, {0, 1, 2, 3, 5, 6, 7, 8, 9}, 4);
}

TEST(HexViewCut, RemovingEverythingLeavesAnEmptyViewThatStillWorks) {
    HexViewModel view = makeView(10);
    clickHex(view, 0, 0);
    EXPECT_FALSE(view.deleteSelection());  // nothing selected
    EXPECT_EQ(view.length(), 10);
    view.key(HexKey::End, {true, true});
    EXPECT_TRUE(view.deleteSelection());
    EXPECT_EQ(std::tuple(view.length(), view.cursor(), view.top(), view.linesPerPage()),
              std::tuple(0, 0, 0, 0));
    EXPECT_FALSE(view.caret().visible);  // no byte to stand on
    EXPECT_FALSE(view.type('1', false));
    view.key(HexKey::Down, {});
    EXPECT_EQ(view.cursor(), 0);
}

TEST(HexViewCut, TopPastTheShorterBufferReturnsToItsLastPage) {
    HexViewModel view = makeView(1000);
    view.goToAddress(200);
    clickChar(view, 0, 0);                // cursor 200
    view.key(HexKey::End, {true, true});  // cursor 999, top 840, selects 200..998
    ASSERT_EQ(view.top(), 840);
    ASSERT_TRUE(view.deleteSelection());
    EXPECT_EQ(view.length(), 201);
    // Ten lines of 16 still fit, so the last page starts at 201 - 160.
    EXPECT_EQ(view.top(), 41);
    EXPECT_EQ(view.cursor(), 200);
}

TEST(HexViewGoTo, AddressBeyondTheDataShowsTheLastPage) {
    const auto check = [&](std::size_t length, std::uint64_t address, std::int64_t top) {
        HexViewModel view = makeView(length);
        view.goToAddress(address);
        EXPECT_EQ(view.top(), top) << length << " @" << address;
        EXPECT_EQ(view.cursor(), 0);
    };
    check(1000, 0x100, 0x100);  // address itself, even off a row boundary
    check(1000, 0x3E7, 999);    // the last byte
    check(1000, 0x3E8, 840);    // one past the end: last page (1000 - 10 * 16)
    check(1000, 0x5000, 840);
    check(1000, 0xFFFFFFFFFFFFFFFF, 840);
    check(100, 0x200, 0);  // shorter than a page
    check(0, 0x10, 0);
}

}  // namespace
}  // namespace vexlor
