#pragma once

#include <cstdint>
#include <string>

#include "core/hexview/HexViewTypes.h"

namespace vexlor {

// Character cells taken by the address column including its separating blank.
int addressColumnChars(const HexViewOptions& options);

// Each byte of the hex column is two digits and a blank.
inline constexpr int kHexCellChars = 3;

ColumnOffsets computeColumnOffsets(const HexViewOptions& options, int charWidth, int rowLength);

struct PageLayout {
    std::int64_t linesPerPage = 0;
    bool shortLastPage = false;
};

// Lines per page for a client area; data shorter than the area gets only the rows it fills,
// with the short-last-page flag telling that the last of them is partial.
PageLayout computePageLayout(std::int64_t length, int rowLength, int clientHeight, int lineHeight);

// The address printed at the left of a row ("%08lX" or "%04lX").
std::string addressText(std::int64_t index, bool wideAddress);

// Two upper-case hex digits followed by the separating blank.
std::string hexCellText(std::uint8_t byte);

// Printable ASCII as itself, everything else as '.'.
char displayChar(std::uint8_t byte);

}  // namespace vexlor
