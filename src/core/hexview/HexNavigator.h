#pragma once

#include <cstdint>

#include "core/hexview/HexViewLayout.h"
#include "core/hexview/HexViewTypes.h"

namespace vexlor {

// Where the view stands in its buffer: the first byte shown, the caret's byte, column and
// digit, and the selection.
struct HexPosition {
    std::int64_t top = 0;
    std::int64_t cursor = 0;
    EditMode editMode = EditMode::None;
    int nibble = kHighNibble;
    Selection selection;
    // Parts of a wheel notch not yet worth a row.
    int pendingWheelDelta = 0;
};

// Moves a position through the buffer the layout describes: scroll bar, wheel, keys, jumps.
class HexNavigator {
  public:
    // Wheel delta of one row; a notch (120) scrolls two rows.
    static constexpr int kWheelDeltaPerRow = 60;

    HexNavigator(const HexViewLayout& layout, HexPosition& position)
        : layout_(layout), at_(position) {}

    // The scroll bar moves the cursor along with the top; the keyboard leaves it to the caller.
    void scroll(ScrollCode code, std::int64_t thumbPosition, bool byKeyboard);
    void wheel(int delta);
    void key(HexKey key, KeyModifiers modifiers);
    void goToAddress(std::uint64_t address);

    // Scrolls one line when the cursor left the page.
    void keepCursorInView();
    void moveCursor(std::int64_t bytes);
    void stepHexDigit(bool right);
    // A forward selection in the hex column takes the byte under the caret too.
    std::int64_t selectionEndAtCursor(bool forward) const;

  private:
    std::int64_t lastByte() const { return layout_.length() - 1; }
    std::int64_t rowStartOf(std::int64_t index) const;
    void clampCursor();

    const HexViewLayout& layout_;
    HexPosition& at_;
};

}  // namespace vexlor
