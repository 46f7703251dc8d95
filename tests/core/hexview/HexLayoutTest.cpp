#include <gtest/gtest.h>

#include "core/hexview/HexAddressText.h"
#include "core/hexview/HexLayout.h"

namespace vexlor {
namespace {

TEST(PageLayout, FewerLinesForShortDataAndFlagsPartialLastRow) {
    const auto check = [&](std::int64_t length, int clientHeight, int lineHeight,
                           std::int64_t lines, bool shortLastPage) {
        const PageLayout page = computePageLayout(length, 16, clientHeight, lineHeight);
        EXPECT_EQ(page.linesPerPage, lines) << "length " << length;
        EXPECT_EQ(page.shortLastPage, shortLastPage) << "length " << length;
    };
    check(1000, 100, 10, 10, false);  // more data than a page
    check(160, 100, 10, 10, false);   // exactly one page
    check(170, 105, 10, 10, false);   // partial line of the client area is not counted
    check(100, 100, 10, 7, true);     // six full rows and four bytes
    check(96, 100, 10, 6, false);     // six full rows
    check(24, 100, 10, 2, true);      // one row and a half
    check(12, 100, 10, 1, true);      // less than a row
    check(0, 100, 10, 0, false);      // empty file
    check(100, 100, 0, 0, false);     // font not measured yet
}

TEST(ColumnOffsets, FollowTheShownColumns) {
    const auto check = [&](bool showAddress, bool showHex, bool wide, int hex, int characters) {
        HexViewOptions options;
        options.showAddress = showAddress;
        options.showHex = showHex;
        options.wideAddress = wide;
        const ColumnOffsets offsets = computeColumnOffsets(options, 8, 16);
        EXPECT_EQ(offsets.address, 0);
        EXPECT_EQ(offsets.hex, hex);
        EXPECT_EQ(offsets.characters, characters);
    };
    check(true, true, true, 72, 456);   // 9 address cells, then 16 x 3 hex cells of 8 pixels
    check(true, true, false, 40, 424);  // 5 address cells
    check(false, true, true, 0, 384);
    check(true, false, true, 72, 72);
}

TEST(CellTexts, AddressHexAndCharacter) {
    EXPECT_EQ(addressText(0x1A2B, true), "00001A2B");
    EXPECT_EQ(addressText(0x1A2B, false), "1A2B");
    EXPECT_EQ(addressText(0x12345, false), "12345");
    EXPECT_EQ(addressText(0, true), "00000000");
    EXPECT_EQ(hexCellText(0x0F), "0F ");
    EXPECT_EQ(hexCellText(0xA0), "A0 ");
    const struct {
        std::uint8_t byte;
        char shown;
    } chars[] = {{'A', 'A'},  {0x20, ' '}, {0x7E, '~'}, {0x7F, '.'},
                 {0x1F, '.'}, {0x00, '.'}, {0xC3, '.'}, {0xFF, '.'}};
    for (const auto& c : chars) {
        EXPECT_EQ(displayChar(c.byte), c.shown) << int(c.byte);
    }
}

TEST(RowLengthProfile, SectionNamedAfterTheCoveredControl) {
    EXPECT_EQ(rowLengthProfileSection(kLogEditControlId),
              "Application state\\Dockbar\\-SCBar-1021");
    EXPECT_EQ(rowLengthProfileSection(7), "Application state\\Dockbar\\-SCBar-7");
    EXPECT_STREQ(kRowLengthProfileValue, "m_lpr");
}

}  // namespace
}  // namespace vexlor
