#include "core/hexview/HexHitTest.h"

namespace vexlor {

std::optional<HexHit> hitTest(const HexViewLayout& layout, std::int64_t top, int x, int y) {
    const int cw = layout.metrics().charWidth;
    const int lh = layout.metrics().lineHeight;
    if (cw <= 0 || lh <= 0 || x < 0 || y < 0) {
        return std::nullopt;
    }
    const HexViewOptions& options = layout.options();
    const std::int64_t rowLength = layout.rowLength();
    const std::int64_t length = layout.length();
    const std::int64_t row = y / lh;
    const std::int64_t rowStart = top + row * rowLength;
    if (row >= layout.visibleLines() || rowStart >= length) {
        return std::nullopt;
    }
    const ColumnOffsets offsets = layout.columnOffsets();
    const std::int64_t cell = x / cw;
    if (options.showAddress && cell < addressColumnChars(options)) {
        return HexHit{rowStart, EditMode::None, kHighNibble};
    }
    if (options.showHex) {
        const std::int64_t hexCell = cell - offsets.hex / cw;
        if (hexCell >= 0 && hexCell < rowLength * kHexCellChars) {
            const std::int64_t index = rowStart + hexCell / kHexCellChars;
            if (index >= length) {
                return std::nullopt;
            }
            // The blank after a byte counts for its low digit.
            const int nibble = hexCell % kHexCellChars == 0 ? kHighNibble : kLowNibble;
            return HexHit{index, EditMode::Hex, nibble};
        }
    }
    if (options.showCharacters) {
        const std::int64_t charCell = cell - offsets.characters / cw;
        if (charCell >= 0 && charCell < rowLength) {
            const std::int64_t index = rowStart + charCell;
            if (index >= length) {
                return std::nullopt;
            }
            return HexHit{index, EditMode::Character, kHighNibble};
        }
    }
    return std::nullopt;
}

}  // namespace vexlor
