#include <gtest/gtest.h>

#include <tuple>

#include "HexViewFixture.h"
#include "core/hexview/HexHitTest.h"

namespace vexlor {
namespace {

using test::clickChar;
using test::clickHex;
using test::makeView;

// 40 bytes, font 8 x 10, 10 lines; wide address: hex from x 72, characters from x 456;
// narrow address: hex from x 40.
TEST(HexHitTest, MapsPixelsToBytesAndDigits) {
    constexpr EditMode kNone = EditMode::None;
    constexpr EditMode kHex = EditMode::Hex;
    constexpr EditMode kChar = EditMode::Character;
    const auto check = [&](const char* name, bool wide, std::int64_t top, int x, int y,
                           const std::optional<std::int64_t>& index, EditMode mode, int nibble) {
        HexViewLayout layout;
        layout.setOptions({true, true, true, wide});
        layout.setMetrics({test::kLineHeight, test::kCharWidth, 600, 100});
        layout.setLength(40);
        const std::optional<HexHit> hit = hitTest(layout, top, x, y);
        ASSERT_EQ(hit.has_value(), index.has_value()) << name;
        if (hit) {
            EXPECT_EQ(std::tuple(hit->index, hit->mode, hit->nibble),
                      std::tuple(*index, mode, nibble))
                << name;
        }
    };
    check("address of row 1", true, 0, 3, 15, 16, kNone, 2);
    check("blank after the address", true, 0, 71, 0, 0, kNone, 2);
    check("first high digit", true, 0, 72, 0, 0, kHex, 2);
    check("first low digit", true, 0, 80, 9, 0, kHex, 1);
    check("blank counts for the low digit", true, 0, 88, 0, 0, kHex, 1);
    check("second byte", true, 0, 96, 0, 1, kHex, 2);
    check("last byte of row 1", true, 0, 432, 15, 31, kHex, 2);
    check("blank of the last byte", true, 0, 455, 0, 15, kHex, 1);
    check("first character", true, 0, 456, 0, 0, kChar, 2);
    check("last character of row 1", true, 0, 583, 15, 31, kChar, 2);
    check("last byte of the data", true, 0, 512, 25, 39, kChar, 2);
    check("right of the characters", true, 0, 584, 0, std::nullopt, kNone, 2);
    check("past the data in a row", true, 0, 520, 25, std::nullopt, kNone, 2);
    check("row past the data", true, 0, 80, 35, std::nullopt, kNone, 2);
    check("below the whole lines", true, 0, 80, 100, std::nullopt, kNone, 2);
    check("left of the view", true, 0, -1, 5, std::nullopt, kNone, 2);
    check("rows start at the top", true, 5, 72, 10, 21, kHex, 2);
    check("narrow address blank", false, 0, 39, 0, 0, kNone, 2);
    check("narrow first digit", false, 0, 40, 0, 0, kHex, 2);
    check("narrow characters", false, 0, 424 + 16, 0, 2, kChar, 2);
}

// Hidden columns give their room to the next one; an unmeasured font hits nothing.
TEST(HexHitTest, FollowsTheShownColumns) {
    const auto check = [&](const char* name, const HexViewOptions& options, int charWidth, int x,
                           const std::optional<EditMode>& mode) {
        HexViewLayout layout;
        layout.setOptions(options);
        layout.setMetrics({test::kLineHeight, charWidth, 600, 100});
        layout.setLength(40);
        const std::optional<HexHit> hit = hitTest(layout, 0, x, 5);
        ASSERT_EQ(hit.has_value(), mode.has_value()) << name;
        if (hit) {
            EXPECT_EQ(std::tuple(hit->mode, hit->index), std::tuple(*mode, 0)) << name;
        }
    };
    check("no address: hex from 0", {false, true, true, true}, 8, 0, EditMode::Hex);
    check("no address: characters from 384", {false, true, true, true}, 8, 384,
          EditMode::Character);
    check("no hex: characters after the address", {true, false, true, true}, 8, 72,
          EditMode::Character);
    check("no characters: nothing after the hex", {true, true, false, true}, 8, 456, std::nullopt);
    check("font not measured", {true, true, true, true}, 0, 72, std::nullopt);
}

TEST(HexViewMouse, ShiftClickSelectsFromTheOldCursorAndAPlainClickDropsIt) {
    struct Case {
        bool hex;
        int column;
        std::int64_t end;
    };
    // A forward hex selection takes the clicked byte.
    const Case cases[] = {{false, 6, 6}, {true, 6, 7}, {false, 0, 0}, {true, 0, 1}};
    for (const auto& c : cases) {
        HexViewModel view = makeView(40);
        if (c.hex) {
            clickHex(view, 0, 2);
            clickHex(view, 0, c.column, false, true);
        } else {
            clickChar(view, 0, 2);
            clickChar(view, 0, c.column, true);
        }
        EXPECT_EQ(std::tuple(view.selection().start, view.selection().end, view.cursor()),
                  std::tuple(2, c.end, c.column))
            << c.hex << c.column;
        clickChar(view, 1, 1);
        EXPECT_FALSE(view.selection().exists());
        EXPECT_EQ(view.cursor(), 17);
    }
}

// Top, cursor, selection start and end.
std::tuple<std::int64_t, std::int64_t, std::int64_t, std::int64_t> dragState(
    const HexViewModel& view) {
    return {view.top(), view.cursor(), view.selection().start, view.selection().end};
}

TEST(HexViewMouse, DragExtendsTheSelectionToTheByteUnderTheMouse) {
    HexViewModel view = makeView(1000);
    clickHex(view, 0, 3);
    view.beginDrag();
    EXPECT_EQ(dragState(view), std::tuple(0, 3, 3, 3));
    view.dragTo(test::kHexX + 7 * 24, 5);
    EXPECT_EQ(view.selection().end, 8);
    view.dragTo(test::kCharX + 4, 15);  // into the character column of row 1
    EXPECT_EQ(view.editMode(), EditMode::Character);
    EXPECT_EQ(dragState(view), std::tuple(0, 16, 3, 16));
}

TEST(HexViewMouse, DragAboveOrBelowScrollsOneLine) {
    HexViewModel above = makeView(1000);
    above.goToAddress(32);
    clickHex(above, 0, 0);  // cursor 32
    above.beginDrag();
    above.dragTo(test::kHexX + 2 * 24, -5);
    EXPECT_EQ(dragState(above), std::tuple(16, 18, 32, 19));
    HexViewModel below = makeView(1000);
    clickHex(below, 0, 0);
    below.beginDrag();
    below.dragTo(test::kHexX, 150);
    // The cursor goes to the first byte of the last whole line.
    EXPECT_EQ(dragState(below), std::tuple(16, 160, 0, 161));
}

TEST(HexViewMouse, CaretFollowsTheEditMode) {
    const auto check = [&](const char* name, bool wide, int x, int y, const CaretPlacement& caret) {
        HexViewModel view = makeView(1000, wide);
        ASSERT_TRUE(view.press(x, y, false)) << name;
        const auto fields = [](const CaretPlacement& p) {
            return std::tuple(p.x, p.y, p.width, p.height, p.visible);
        };
        EXPECT_EQ(fields(view.caret()), fields(caret)) << name;
    };
    check("hex high digit", true, 72 + 24, 15, {96, 10, 8, 10, true});
    check("hex low digit", true, 72 + 24 + 8, 15, {104, 10, 8, 10, true});
    check("character", true, 456 + 8, 15, {464, 10, 8, 10, true});
    check("address wide", true, 3, 25, {0, 20, 64, 10, true});
    check("address narrow", false, 3, 25, {0, 20, 32, 10, true});
}

TEST(HexViewMouse, CaretHiddenOutsideTheClientArea) {
    HexViewModel view = makeView(1000);
    clickChar(view, 1, 1);  // cursor 17
    view.goToAddress(32);
    EXPECT_EQ(view.caret().y, -10);
    EXPECT_FALSE(view.caret().visible);
    HexViewModel narrow = makeView(1000);
    narrow.setMetrics({10, 8, 300, 100});
    clickHex(narrow, 0, 1);
    EXPECT_TRUE(narrow.caret().visible);
    narrow.key(HexKey::End, {});  // byte 15 at x 72 + 15 * 24 = 432, past the 300 pixels
    EXPECT_EQ(narrow.caret().x, 432);
    EXPECT_FALSE(narrow.caret().visible);
}

}  // namespace
}  // namespace vexlor
