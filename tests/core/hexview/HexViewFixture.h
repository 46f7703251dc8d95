#pragma once

#include <cstdint>
#include <vector>

#include "core/hexview/HexViewModel.h"

namespace vexlor::test {

// A view 600 x 100 pixels with a 8 x 10 font: 10 whole lines; with the wide address the hex
// column starts at 72 and the character column at 456.
inline constexpr int kCharWidth = 8;
inline constexpr int kLineHeight = 10;
inline constexpr int kHexX = 72;
inline constexpr int kCharX = 456;

inline std::vector<std::uint8_t> countingBytes(std::size_t length) {
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i);
    }
    return bytes;
}

inline HexViewModel makeView(std::size_t length, bool wideAddress = true) {
    HexViewModel view;
    HexViewOptions options;
    options.wideAddress = wideAddress;
    view.setOptions(options);
    view.setMetrics({kLineHeight, kCharWidth, 600, 100});
    view.replaceBuffer(countingBytes(length));
    return view;
}

// Clicks in the middle of a visible row, on a hex digit or a character cell.
inline void clickHex(HexViewModel& view, int row, int column, bool lowDigit = false,
                     bool shift = false) {
    view.press(kHexX + column * 24 + (lowDigit ? kCharWidth : 0), row * kLineHeight + 5, shift);
}

inline void clickChar(HexViewModel& view, int row, int column, bool shift = false) {
    view.press(kCharX + column * kCharWidth, row * kLineHeight + 5, shift);
}

}  // namespace vexlor::test
