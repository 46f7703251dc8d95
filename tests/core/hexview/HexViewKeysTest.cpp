#include <gtest/gtest.h>

#include <string>

#include "HexViewFixture.h"

namespace vexlor {
namespace {

using test::clickChar;
using test::clickHex;
using test::makeView;

// A start position made by a jump to `top` and a click on a cell of a visible row.
struct Start {
    std::int64_t top;
    int row;
    int column;
    EditMode mode;
    bool lowDigit;
};

struct KeyCase {
    const char* name;
    std::size_t length;
    Start start;
    HexKey key;
    KeyModifiers modifiers;
    std::int64_t cursor;
    int nibble;
    std::int64_t top;
};

void placeAt(HexViewModel& view, const Start& start) {
    view.goToAddress(static_cast<std::uint64_t>(start.top));
    if (start.mode == EditMode::Hex) {
        clickHex(view, start.row, start.column, start.lowDigit);
    } else {
        clickChar(view, start.row, start.column);
    }
}

constexpr EditMode kHex = EditMode::Hex;
constexpr EditMode kChar = EditMode::Character;
constexpr KeyModifiers kPlain{};
constexpr KeyModifiers kCtrl{false, true};

// 1000 bytes and 10 lines: a page is 160 bytes and the last page starts at 840.
TEST(HexViewKeys, MoveCursorAndScroll) {
    const KeyCase cases[] = {
        {"hex right stays on byte", 1000, {0, 0, 0, kHex, false}, HexKey::Right, kPlain, 0, 1, 0},
        {"hex right to next byte", 1000, {0, 0, 0, kHex, true}, HexKey::Right, kPlain, 1, 2, 0},
        {"hex left to low digit", 1000, {0, 0, 1, kHex, false}, HexKey::Left, kPlain, 0, 1, 0},
        {"hex left to high digit", 1000, {0, 0, 1, kHex, true}, HexKey::Left, kPlain, 1, 2, 0},
        {"hex left at start", 1000, {0, 0, 0, kHex, false}, HexKey::Left, kPlain, 0, 2, 0},
        {"char right", 1000, {0, 0, 5, kChar, false}, HexKey::Right, kPlain, 6, 2, 0},
        {"char left", 1000, {0, 0, 5, kChar, false}, HexKey::Left, kPlain, 4, 2, 0},
        {"char left at start", 1000, {0, 0, 0, kChar, false}, HexKey::Left, kPlain, 0, 2, 0},
        {"ctrl does not change arrows",
         1000,
         {0, 0, 5, kChar, false},
         HexKey::Left,
         kCtrl,
         4,
         2,
         0},
        {"down one row", 1000, {0, 0, 5, kHex, true}, HexKey::Down, kPlain, 21, 1, 0},
        {"up one row", 1000, {0, 1, 5, kHex, true}, HexKey::Up, kPlain, 5, 1, 0},
        {"up from first row", 1000, {0, 0, 5, kHex, true}, HexKey::Up, kPlain, 0, 2, 0},
        {"home", 1000, {0, 1, 5, kHex, true}, HexKey::Home, kPlain, 16, 2, 0},
        {"end", 1000, {0, 1, 5, kHex, true}, HexKey::End, kPlain, 31, 2, 0},
        // Rows follow the top: with top 900 the row of 996 holds only 996..999.
        {"end of short last row",
         1000,
         {900, 6, 0, kChar, false},
         HexKey::End,
         kPlain,
         999,
         2,
         900},
        {"home of a row below an odd top",
         1000,
         {900, 1, 3, kChar, false},
         HexKey::Home,
         kPlain,
         916,
         2,
         900},
        {"ctrl home", 1000, {320, 2, 4, kHex, true}, HexKey::Home, kCtrl, 0, 2, 0},
        {"ctrl end", 1000, {0, 0, 0, kHex, false}, HexKey::End, kCtrl, 999, 2, 840},
        {"ctrl end, data shorter than a page",
         100,
         {0, 0, 0, kHex, false},
         HexKey::End,
         kCtrl,
         99,
         2,
         0},
        {"down leaves the page", 1000, {0, 9, 3, kChar, false}, HexKey::Down, kPlain, 163, 2, 16},
        {"up leaves the page", 1000, {16, 0, 2, kChar, false}, HexKey::Up, kPlain, 2, 2, 0},
        {"right leaves the page",
         1000,
         {0, 9, 15, kChar, false},
         HexKey::Right,
         kPlain,
         160,
         2,
         16},
        {"down past the end", 1000, {840, 9, 0, kHex, false}, HexKey::Down, kPlain, 999, 1, 840},
        {"hex right past the end",
         1000,
         {840, 9, 15, kHex, true},
         HexKey::Right,
         kPlain,
         999,
         1,
         840},
        // A page on, then one line back towards the cursor that stayed on its byte.
        {"page down", 1000, {0, 0, 5, kChar, false}, HexKey::PageDown, kPlain, 5, 2, 144},
        {"page up", 1000, {320, 0, 5, kChar, false}, HexKey::PageUp, kPlain, 325, 2, 176},
        {"page down stops at the last page",
         1000,
         {800, 0, 0, kChar, false},
         HexKey::PageDown,
         kPlain,
         800,
         2,
         824},
        {"page up stops at 0", 1000, {48, 0, 0, kChar, false}, HexKey::PageUp, kCtrl, 48, 2, 0},
    };
    for (const auto& c : cases) {
        HexViewModel view = makeView(c.length);
        placeAt(view, c.start);
        view.key(c.key, c.modifiers);
        EXPECT_EQ(view.cursor(), c.cursor) << c.name;
        EXPECT_EQ(view.nibble(), c.nibble) << c.name;
        EXPECT_EQ(view.top(), c.top) << c.name;
        EXPECT_FALSE(view.selection().exists()) << c.name;
    }
}

struct SelectCase {
    const char* name;
    EditMode mode;
    std::vector<HexKey> keys;
    std::int64_t start;
    std::int64_t end;
    std::int64_t cursor;
};

// The cursor starts on byte 5 (high digit in hex mode); every key is pressed with Shift.
TEST(HexViewKeys, ShiftExtendsSelectionInTheOrderMade) {
    const SelectCase cases[] = {
        {"char left", kChar, {HexKey::Left}, 5, 4, 4},
        {"char left twice", kChar, {HexKey::Left, HexKey::Left}, 5, 3, 3},
        {"char right", kChar, {HexKey::Right}, 5, 6, 6},
        {"char down", kChar, {HexKey::Down}, 5, 21, 21},
        {"hex right takes the byte", kHex, {HexKey::Right}, 5, 6, 5},
        {"hex right twice", kHex, {HexKey::Right, HexKey::Right}, 5, 7, 6},
        {"hex down", kHex, {HexKey::Down}, 5, 22, 21},
        {"hex left", kHex, {HexKey::Left}, 5, 4, 4},
        {"hex end", kHex, {HexKey::End}, 5, 16, 15},
        {"char home", kChar, {HexKey::Home}, 5, 0, 0},
    };
    for (const auto& c : cases) {
        HexViewModel view = makeView(1000);
        if (c.mode == kHex) {
            clickHex(view, 0, 5);
        } else {
            clickChar(view, 0, 5);
        }
        for (HexKey key : c.keys) {
            view.key(key, {true, false});
        }
        EXPECT_EQ(view.selection().start, c.start) << c.name;
        EXPECT_EQ(view.selection().end, c.end) << c.name;
        EXPECT_EQ(view.cursor(), c.cursor) << c.name;
    }
}

TEST(HexViewKeys, BackwardSelectionIsUsedByItsLowerAndHigherEnds) {
    HexViewModel view = makeView(1000);
    clickChar(view, 0, 5);
    view.key(HexKey::Left, {true, false});
    view.key(HexKey::Left, {true, false});
    EXPECT_EQ(view.selection().lower(), 3);
    EXPECT_EQ(view.selection().higher(), 5);
    EXPECT_FALSE(view.isSelected(2));
    EXPECT_TRUE(view.isSelected(3));
    EXPECT_TRUE(view.isSelected(4));
    EXPECT_FALSE(view.isSelected(5));
}

TEST(HexViewKeys, MoveWithoutShiftClearsSelection) {
    HexViewModel view = makeView(1000);
    clickChar(view, 0, 5);
    view.key(HexKey::Right, {true, false});
    ASSERT_TRUE(view.selection().exists());
    view.key(HexKey::Right, {});
    EXPECT_FALSE(view.selection().exists());
    EXPECT_EQ(view.cursor(), 7);
}

TEST(HexViewKeys, NothingMovesWithoutData) {
    HexViewModel empty = makeView(0);
    empty.key(HexKey::End, {false, true});
    empty.key(HexKey::Right, {true, false});
    EXPECT_EQ(empty.cursor(), 0);
    EXPECT_EQ(empty.top(), 0);
    EXPECT_FALSE(empty.selection().exists());

    HexViewModel none;
    none.key(HexKey::Down, {});
    EXPECT_EQ(none.cursor(), 0);
}

}  // namespace
}  // namespace vexlor
