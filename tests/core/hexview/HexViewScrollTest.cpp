#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "HexViewFixture.h"

namespace vexlor {
namespace {

using test::clickChar;
using test::makeView;

// 1000 bytes, 10 lines: page 160 bytes, last page at 840, scroll bar rows 0..53.
TEST(HexViewScroll, BarCodesMoveTopAndCursorTogether) {
    // The cursor is put on column 5 of cursorRow before the bar is used.
    const auto check = [&](const char* name, std::int64_t startTop, int cursorRow, ScrollCode code,
                           std::int64_t thumb, std::int64_t top, std::int64_t cursor) {
        HexViewModel view = makeView(1000);
        view.goToAddress(static_cast<std::uint64_t>(startTop));
        clickChar(view, cursorRow, 5);
        view.scroll(code, thumb);
        EXPECT_EQ(std::tuple(view.top(), view.cursor()), std::tuple(top, cursor)) << name;
    };
    check("line down", 0, 0, ScrollCode::LineDown, 0, 16, 21);
    check("line up at the start", 0, 0, ScrollCode::LineUp, 0, 0, 5);
    check("line up from an odd top", 5, 0, ScrollCode::LineUp, 0, 0, 5);
    check("line down stops at the last page", 840, 0, ScrollCode::LineDown, 0, 840, 845);
    check("line down just before the last page", 830, 0, ScrollCode::LineDown, 0, 846, 851);
    check("page down", 0, 0, ScrollCode::PageDown, 0, 160, 165);
    check("page down stops at the last page", 800, 0, ScrollCode::PageDown, 0, 840, 845);
    check("page up", 840, 0, ScrollCode::PageUp, 0, 680, 685);
    check("page up stops at 0", 100, 0, ScrollCode::PageUp, 0, 0, 5);
    check("thumb track", 0, 0, ScrollCode::ThumbTrack, 3, 48, 53);
    check("thumb track past the bar", 0, 0, ScrollCode::ThumbTrack, 1000, 848, 853);
    check("thumb position does nothing", 160, 0, ScrollCode::ThumbPosition, 0, 160, 165);
    // 988 + 16 lies past the last byte.
    check("cursor kept on the data", 839, 9, ScrollCode::LineDown, 0, 855, 999);
}

TEST(HexViewScroll, WheelScrollsTwoRowsPerNotchAndLeavesTheCursor) {
    const auto check = [&](const char* name, std::int64_t startTop, const std::vector<int>& deltas,
                           std::int64_t top) {
        HexViewModel view = makeView(1000);
        view.goToAddress(static_cast<std::uint64_t>(startTop));
        for (int delta : deltas) {
            view.wheel(delta);
        }
        EXPECT_EQ(view.top(), top) << name;
        EXPECT_EQ(view.cursor(), 0) << name;
    };
    check("one notch down", 0, {-120}, 32);
    check("one notch up", 64, {120}, 32);
    check("up at the start", 0, {120}, 0);
    check("up never below 0", 16, {240}, 0);
    check("down stops at the last page", 0, {-120 * 40}, 840);
    check("down does not pull an odd top back", 990, {-120}, 990);
    check("half notches add up", 0, {-30, -30}, 16);
    check("a part of a row does nothing", 0, {-59}, 0);
    check("opposite parts cancel", 0, {-30, 30, -30}, 0);
}

TEST(HexViewScroll, CursorAboveTheViewStopsAtTheFirstByte) {
    HexViewModel view = makeView(1000);
    clickChar(view, 0, 5);
    view.wheel(-120);  // top 32, the cursor stays on 5
    ASSERT_EQ(view.cursor(), 5);
    view.scroll(ScrollCode::ThumbTrack, 0);
    EXPECT_EQ(view.top(), 0);
    EXPECT_EQ(view.cursor(), 0);
}

TEST(HexViewScroll, ScrollBarCountsRowsAndPage) {
    struct Case {
        std::size_t length;
        std::int64_t top;
        ScrollBarState bar;
    };
    const Case cases[] = {
        {1000, 0, {53, 10, 0, true}},                                 // 63 rows, 10 visible
        {1000, 256, {53, 10, 16, true}}, {161, 0, {1, 10, 0, true}},  // 11 rows
        {160, 0, {0, 10, 0, false}},     {20, 0, {0, 10, 0, false}}, {0, 0, {0, 10, 0, false}},
    };
    for (const auto& c : cases) {
        HexViewModel view = makeView(c.length);
        view.goToAddress(static_cast<std::uint64_t>(c.top));
        const auto fields = [](const ScrollBarState& bar) {
            return std::tuple(bar.maximum, bar.page, bar.position, bar.enabled);
        };
        EXPECT_EQ(fields(view.scrollBar()), fields(c.bar)) << c.length;
    }
}

}  // namespace
}  // namespace vexlor
