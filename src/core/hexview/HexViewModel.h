#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/hexview/HexLayout.h"
#include "core/hexview/HexViewTypes.h"

namespace vexlor {

// Buffer, layout, cursor, selection and editing of the hex view, without any painting: the
// widget measures its font, forwards its events here and paints what this model says.
class HexViewModel {
  public:
    static constexpr int kDefaultRowLength = 16;
    // A stored row length outside 1..kMaxRowLength is not taken (it would divide by zero or
    // build rows no window can show).
    static constexpr int kMaxRowLength = 256;
    // Wheel delta of one row; a notch (120) scrolls two rows.
    static constexpr int kWheelDeltaPerRow = 60;

    void setOptions(const HexViewOptions& options);
    const HexViewOptions& options() const { return options_; }

    void setMetrics(const ViewMetrics& metrics);
    const ViewMetrics& metrics() const { return metrics_; }
    // A size change: the row length returns to its default.
    void resize(int clientWidth, int clientHeight);

    int rowLength() const { return rowLength_; }
    // False, leaving the row length as it was, when the value is out of range.
    bool setRowLength(int rowLength);

    // A new buffer (a file shown); the view starts again at its first byte.
    void replaceBuffer(std::vector<std::uint8_t> bytes);
    bool hasBuffer() const { return hasBuffer_; }
    std::span<const std::uint8_t> data() const { return data_; }
    std::int64_t length() const { return static_cast<std::int64_t>(data_.size()); }

    std::int64_t top() const { return top_; }
    std::int64_t cursor() const { return cursor_; }
    EditMode editMode() const { return editMode_; }
    int nibble() const { return nibble_; }
    const Selection& selection() const { return selection_; }
    bool isSelected(std::int64_t index) const;

    std::int64_t linesPerPage() const;
    bool shortLastPage() const;
    ColumnOffsets columnOffsets() const;
    // Whole lines that fit in the client area; painting stops after them.
    std::int64_t visibleLines() const;
    ScrollBarState scrollBar() const;
    CaretPlacement caret() const;

    void scroll(ScrollCode code, std::int64_t thumbPosition = 0);
    void wheel(int delta);

    // Left button pressed at a client point; false when the point hit no byte.
    bool press(int x, int y, bool shift);
    // The press turned into a drag: the selection starts at the cursor.
    void beginDrag();
    // Mouse moved with the button held; points above or below the client area scroll.
    void dragTo(int x, int y);

    void key(HexKey key, KeyModifiers modifiers);
    // A typed character (a Unicode code point); true when a byte changed.
    bool type(std::uint32_t character, bool ctrl);
    // Ctrl+X: removes the selected bytes; true when the buffer changed.
    bool deleteSelection();
    void goToAddress(std::uint64_t address);

  private:
    struct Hit {
        std::int64_t index = 0;
        EditMode mode = EditMode::None;
        int nibble = kHighNibble;
    };

    void ensureLayout() const;
    void markLayoutDirty() { layoutDirty_ = true; }
    void resetPosition();
    std::int64_t pageBytes() const { return linesPerPage() * rowLength_; }
    std::int64_t lastPageTop() const;
    std::int64_t lastByte() const { return length() - 1; }
    bool hasData() const { return hasBuffer_ && !data_.empty(); }

    void scrollTo(ScrollCode code, std::int64_t thumbPosition, bool byKeyboard);
    void keepCursorInView();
    std::int64_t rowStartOf(std::int64_t index) const;
    void moveCursor(std::int64_t bytes);
    void stepHexDigit(bool right);
    void clampCursor();
    std::int64_t selectionEndAtCursor(bool forward) const;

    std::optional<Hit> hitAt(int x, int y) const;
    void apply(const Hit& hit);

    HexViewOptions options_;
    ViewMetrics metrics_;
    int rowLength_ = kDefaultRowLength;

    std::vector<std::uint8_t> data_;
    bool hasBuffer_ = false;

    std::int64_t top_ = 0;
    std::int64_t cursor_ = 0;
    EditMode editMode_ = EditMode::None;
    int nibble_ = kHighNibble;
    Selection selection_;
    int pendingWheelDelta_ = 0;

    // Derived from the above on demand; recomputed after any change of options, metrics, row
    // length or buffer.
    mutable bool layoutDirty_ = true;
    mutable PageLayout page_{1, false};
    mutable ColumnOffsets offsets_;
};

}  // namespace vexlor
