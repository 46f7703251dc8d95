#include <gtest/gtest.h>

#include "HexViewFixture.h"
#include "core/hexview/HexViewFile.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using test::clickChar;
using test::makeView;

TEST(HexViewBuffer, WithoutDataNothingIsShownMovedOrSelected) {
    const HexViewModel view;
    EXPECT_FALSE(view.hasBuffer());
    EXPECT_EQ(view.rowLength(), 16);
    EXPECT_EQ(view.linesPerPage(), 0);  // no font measured and no data
    EXPECT_EQ(view.editMode(), EditMode::None);
    EXPECT_EQ(view.selection().start, -1);
    EXPECT_EQ(view.selection().end, -1);
    EXPECT_FALSE(view.options().wideAddress);
    HexViewModel none;
    none.setMetrics({test::kLineHeight, test::kCharWidth, 600, 100});
    EXPECT_FALSE(none.press(test::kHexX, 5, false));
    EXPECT_FALSE(none.type('1', false));
    EXPECT_FALSE(none.deleteSelection());
    none.beginDrag();
    none.dragTo(test::kHexX, 150);
    none.key(HexKey::Down, {});
    none.scroll(ScrollCode::PageDown);
    none.wheel(-120);
    none.goToAddress(0x100);
    EXPECT_EQ(none.top(), 0);
    EXPECT_EQ(none.cursor(), 0);
    EXPECT_FALSE(none.selection().exists());
    EXPECT_FALSE(none.caret().visible);
    // An empty buffer moves nothing either.
    HexViewModel empty = makeView(0);
    empty.key(HexKey::End, {false, true});
    empty.key(HexKey::Right, {true, false});
    EXPECT_EQ(empty.cursor(), 0);
    EXPECT_EQ(empty.top(), 0);
    EXPECT_FALSE(empty.selection().exists());
}

TEST(HexViewBuffer, NewBufferStartsAtItsFirstByte) {
    HexViewModel view = makeView(1000);
    view.goToAddress(500);
    clickChar(view, 2, 3);
    view.key(HexKey::Right, {true, false});
    view.replaceBuffer({0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99});
    EXPECT_EQ(view.length(), 10);
    EXPECT_EQ(view.data()[9], 0x99);
    EXPECT_EQ(view.top(), 0);
    EXPECT_EQ(view.cursor(), 0);
    EXPECT_FALSE(view.selection().exists());
    EXPECT_EQ(view.linesPerPage(), 1);
    EXPECT_TRUE(view.shortLastPage());
    // The old cursor (535) would have written past the new buffer.
    view.type('A', false);
    EXPECT_EQ(view.data()[0], 'A');
}

TEST(HexViewBuffer, RowLengthFromTheProfileOnlyWhenUsable) {
    const auto check = [&](int stored, bool taken, int rowLength) {
        HexViewModel view = makeView(100);
        EXPECT_EQ(view.setRowLength(stored), taken) << stored;
        EXPECT_EQ(view.rowLength(), rowLength) << stored;
    };
    check(8, true, 8);
    check(1, true, 1);
    check(256, true, 256);
    check(0, false, 16);
    check(-16, false, 16);
    check(257, false, 16);
}

TEST(HexViewBuffer, EightByteRowsChangeLayoutAndResizeRestoresSixteen) {
    HexViewModel view = makeView(100);
    ASSERT_TRUE(view.setRowLength(8));
    // 10 lines of 8 bytes: 80 < 100, a full page; characters after 9 + 8 * 3 cells.
    EXPECT_EQ(view.linesPerPage(), 10);
    EXPECT_FALSE(view.shortLastPage());
    EXPECT_EQ(view.columnOffsets().characters, 264);
    view.key(HexKey::Down, {});
    EXPECT_EQ(view.cursor(), 8);
    view.resize(600, 50);
    EXPECT_EQ(view.rowLength(), 16);
    EXPECT_EQ(view.linesPerPage(), 5);
    EXPECT_EQ(view.columnOffsets().characters, 456);
}

TEST(HexViewFile, ReadsRegularFilesWholeAndRefusesWhatItCannotShow) {
    test::ScratchDir dir;
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>{0x00, 0xFF, 0x41, 0x0D, 0x0A}, std::vector<std::uint8_t>{}}) {
        const ViewFileResult read = readViewFile(dir.writeBytes("data.bin", bytes));
        EXPECT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(read.bytes, bytes);
    }
    const auto big = dir.writeBytes("big.bin", std::vector<std::uint8_t>(11, 0x55));
    const auto check = [&](const char* name, const std::filesystem::path& path,
                           std::uintmax_t limit) {
        const ViewFileResult read = readViewFile(path, limit);
        EXPECT_FALSE(read.ok()) << name;
        EXPECT_NE(read.error.find(path.string()), std::string::npos) << read.error;
        EXPECT_TRUE(read.bytes.empty()) << name;
    };
    check("missing", dir / "missing.bin", kMaxViewFileBytes);
    check("directory", dir.path(), kMaxViewFileBytes);
    check("larger than the limit", big, 10);
    EXPECT_TRUE(readViewFile(big, 11).ok());
}

}  // namespace
}  // namespace vexlor
