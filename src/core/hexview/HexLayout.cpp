#include "core/hexview/HexLayout.h"

#include "core/base/Diagnostics.h"

namespace vexlor {

int addressColumnChars(const HexViewOptions& options) {
    if (!options.showAddress) {
        return 0;
    }
    return options.wideAddress ? 9 : 5;
}

ColumnOffsets computeColumnOffsets(const HexViewOptions& options, int charWidth, int rowLength) {
    ColumnOffsets offsets;
    offsets.hex = addressColumnChars(options) * charWidth;
    offsets.characters = offsets.hex;
    if (options.showHex) {
        offsets.characters += rowLength * kHexCellChars * charWidth;
    }
    return offsets;
}

PageLayout computePageLayout(std::int64_t length, int rowLength, int clientHeight, int lineHeight) {
    PageLayout page;
    if (lineHeight <= 0 || rowLength <= 0) {
        return page;
    }
    page.linesPerPage = clientHeight / lineHeight;
    if (page.linesPerPage * rowLength > length) {
        // Only the rows that hold data; a partial last row still counts as a row.
        page.linesPerPage = length / rowLength;
        if (length % rowLength != 0) {
            page.shortLastPage = true;
            ++page.linesPerPage;
        }
    }
    return page;
}

std::string addressText(std::int64_t index, bool wideAddress) {
    return format(wideAddress ? "%08lX" : "%04lX", static_cast<unsigned long>(index));
}

std::string hexCellText(std::uint8_t byte) {
    return format("%02X ", static_cast<unsigned>(byte));
}

char displayChar(std::uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
}

}  // namespace vexlor
