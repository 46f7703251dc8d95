#include <gtest/gtest.h>

#include <tuple>

#include "HexViewFixture.h"

namespace vexlor {
namespace {

using test::clickChar;
using test::clickHex;
using test::makeView;
using enum HexKey;

constexpr EditMode kHex = EditMode::Hex;
constexpr EditMode kChar = EditMode::Character;
constexpr KeyModifiers kPlain{};
constexpr KeyModifiers kCtrl{false, true};
constexpr KeyModifiers kShift{true, false};

// A start made by a jump to `top` and a click on a cell of a visible row.
struct Start {
    std::int64_t top;
    int row;
    int column;
    EditMode mode;
    bool lowDigit = false;
};

void placeAt(HexViewModel& view, const Start& start) {
    view.goToAddress(static_cast<std::uint64_t>(start.top));
    if (start.mode == kHex) {
        clickHex(view, start.row, start.column, start.lowDigit);
    } else {
        clickChar(view, start.row, start.column);
    }
}

// 1000 bytes and 10 lines: a page is 160 bytes and the last page starts at 840.
TEST(HexViewKeys, MoveCursorAndScroll) {
    const auto check = [&](const char* name, const Start& start, HexKey key,
                           const KeyModifiers& modifiers, std::int64_t cursor, int nibble,
                           std::int64_t top) {
        HexViewModel view = makeView(1000);
        placeAt(view, start);
        view.key(key, modifiers);
        EXPECT_EQ(std::tuple(view.cursor(), view.nibble(), view.top(), view.selection().exists()),
                  std::tuple(cursor, nibble, top, false))
            << name;
    };
    check("hex right stays on byte", {0, 0, 0, kHex}, Right, kPlain, 0, 1, 0);
    check("hex right to next byte", {0, 0, 0, kHex, true}, Right, kPlain, 1, 2, 0);
    check("hex left to low digit", {0, 0, 1, kHex}, Left, kPlain, 0, 1, 0);
    check("hex left to high digit", {0, 0, 1, kHex, true}, Left, kPlain, 1, 2, 0);
    check("hex left at start", {0, 0, 0, kHex}, Left, kPlain, 0, 2, 0);
    check("char right", {0, 0, 5, kChar}, Right, kPlain, 6, 2, 0);
    check("char left at start", {0, 0, 0, kChar}, Left, kPlain, 0, 2, 0);
    check("ctrl does not change arrows", {0, 0, 5, kChar}, Left, kCtrl, 4, 2, 0);
    check("down one row", {0, 0, 5, kHex, true}, Down, kPlain, 21, 1, 0);
    check("up one row", {0, 1, 5, kHex, true}, Up, kPlain, 5, 1, 0);
    check("up from first row", {0, 0, 5, kHex, true}, Up, kPlain, 0, 2, 0);
    check("home", {0, 1, 5, kHex, true}, Home, kPlain, 16, 2, 0);
    check("end", {0, 1, 5, kHex, true}, End, kPlain, 31, 2, 0);
    // Rows follow the top: with top 900 the row of 996 holds only 996..999.
    check("end of short last row", {900, 6, 0, kChar}, End, kPlain, 999, 2, 900);
    check("home below an odd top", {900, 1, 3, kChar}, Home, kPlain, 916, 2, 900);
    check("ctrl home", {320, 2, 4, kHex, true}, Home, kCtrl, 0, 2, 0);
    check("ctrl end", {0, 0, 0, kHex}, End, kCtrl, 999, 2, 840);
    check("down leaves the page", {0, 9, 3, kChar}, Down, kPlain, 163, 2, 16);
    check("up leaves the page", {16, 0, 2, kChar}, Up, kPlain, 2, 2, 0);
    check("right leaves the page", {0, 9, 15, kChar}, Right, kPlain, 160, 2, 16);
    check("down past the end", {840, 9, 0, kHex}, Down, kPlain, 999, 1, 840);
    check("hex right past the end", {840, 9, 15, kHex, true}, Right, kPlain, 999, 1, 840);
    // A page on, then one line back towards the cursor that stayed on its byte.
    check("page down", {0, 0, 5, kChar}, PageDown, kPlain, 5, 2, 144);
    check("page up", {320, 0, 5, kChar}, PageUp, kPlain, 325, 2, 176);
    check("page down stops at the last page", {800, 0, 0, kChar}, PageDown, kPlain, 800, 2, 824);
    check("page up stops at 0", {48, 0, 0, kChar}, PageUp, kCtrl, 48, 2, 0);
    // Data shorter than a page keeps its top on Ctrl+End.
    HexViewModel shortView = makeView(100);
    shortView.key(End, kCtrl);
    EXPECT_EQ(shortView.cursor(), 99);
    EXPECT_EQ(shortView.top(), 0);
}

// The cursor starts on byte 5 (high digit in hex mode); every key is pressed with Shift.
TEST(HexViewKeys, ShiftExtendsSelectionInTheOrderMade) {
    const auto check = [&](const char* name, EditMode mode, const std::vector<HexKey>& keys,
                           std::int64_t end, std::int64_t cursor) {
        HexViewModel view = makeView(1000);
        placeAt(view, {0, 0, 5, mode});
        for (HexKey key : keys) {
            view.key(key, kShift);
        }
        EXPECT_EQ(std::tuple(view.selection().start, view.selection().end, view.cursor()),
                  std::tuple(5, end, cursor))
            << name;
    };
    check("char left twice", kChar, {Left, Left}, 3, 3);
    check("char right", kChar, {Right}, 6, 6);
    check("char down", kChar, {Down}, 21, 21);
    check("hex right takes the byte", kHex, {Right}, 6, 5);
    check("hex right twice", kHex, {Right, Right}, 7, 6);
    check("hex down", kHex, {Down}, 22, 21);
    check("hex left", kHex, {Left}, 4, 4);
    check("hex end", kHex, {End}, 16, 15);
    check("char home", kChar, {Home}, 0, 0);
}

TEST(HexViewKeys, BackwardSelectionCoversItsLowerToHigherEnd) {
    HexViewModel view = makeView(1000);
    clickChar(view, 0, 5);
    view.key(Left, kShift);
    view.key(Left, kShift);
    EXPECT_EQ(view.selection().lower(), 3);
    EXPECT_EQ(view.selection().higher(), 5);
    for (std::int64_t index : {2, 3, 4, 5}) {
        EXPECT_EQ(view.isSelected(index), index == 3 || index == 4) << index;
    }
    // A move without Shift drops it.
    view.key(Right, kPlain);
    EXPECT_FALSE(view.selection().exists());
    EXPECT_EQ(view.cursor(), 4);
}

}  // namespace
}  // namespace vexlor
