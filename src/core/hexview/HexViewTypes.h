#pragma once

#include <cstdint>

namespace vexlor {

// Which column the caret works in; the numbers are the view's own edit-mode values.
enum class EditMode { None = 0, Character = 1, Hex = 2 };

// Hex digits are counted from the right: the caret on the high digit has nibble position 2.
inline constexpr int kHighNibble = 2;
inline constexpr int kLowNibble = 1;

enum class HexKey { PageUp, PageDown, Home, End, Left, Right, Up, Down };

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
};

// The vertical scroll bar's notifications.
enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbTrack, ThumbPosition };

struct HexViewOptions {
    bool showAddress = true;
    bool showHex = true;
    bool showCharacters = true;
    bool wideAddress = false;  // 8 address digits instead of 4
};

// What the widget measured: text height and width of '0', and the client size, in pixels.
struct ViewMetrics {
    int lineHeight = 0;
    int charWidth = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};

// Ends are byte indices in the order the operator made them; -1 in both means none.
struct Selection {
    std::int64_t start = -1;
    std::int64_t end = -1;

    bool exists() const { return start != -1 || end != -1; }
    std::int64_t lower() const { return start < end ? start : end; }
    std::int64_t higher() const { return start < end ? end : start; }
};

struct ColumnOffsets {
    int address = 0;
    int hex = 0;
    int characters = 0;
};

struct CaretPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool visible = false;
};

// Scroll bar in rows: positions 0..maximum, `page` rows visible, enabled only when there is
// something to scroll.
struct ScrollBarState {
    std::int64_t maximum = 0;
    std::int64_t page = 0;
    std::int64_t position = 0;
    bool enabled = false;
};

}  // namespace vexlor
