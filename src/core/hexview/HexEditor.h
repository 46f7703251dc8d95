#pragma once

#include <cstdint>
#include <vector>

#include "core/hexview/HexNavigator.h"

namespace vexlor {

// Changes the buffer at the position: typed hex digits and characters, and cutting the
// selection. The layout is told the new length.
class HexEditor {
  public:
    HexEditor(std::vector<std::uint8_t>& data, HexViewLayout& layout, HexPosition& position)
        : data_(data), layout_(layout), at_(position) {}

    // A typed character (a Unicode code point); true when a byte changed.
    bool type(std::uint32_t character, bool ctrl);
    // Removes the selected bytes; true when the buffer changed.
    bool deleteSelection();

  private:
    std::vector<std::uint8_t>& data_;
    HexViewLayout& layout_;
    HexPosition& at_;
};

}  // namespace vexlor
