#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/hexview/HexHitTest.h"
#include "core/hexview/HexNavigator.h"
#include "core/hexview/HexViewLayout.h"
#include "core/hexview/HexViewTypes.h"

namespace vexlor {

// The hex view without any painting: the widget measures its font, forwards its events here
// and paints what this model says. Layout, hit testing, navigation and editing each live in a
// class of their own; this one holds the buffer and the position they work on.
class HexViewModel {
  public:
    void setOptions(const HexViewOptions& options) { layout_.setOptions(options); }
    const HexViewOptions& options() const { return layout_.options(); }
    void setMetrics(const ViewMetrics& metrics) { layout_.setMetrics(metrics); }
    const ViewMetrics& metrics() const { return layout_.metrics(); }
    // A size change: the row length returns to its default.
    void resize(int clientWidth, int clientHeight) { layout_.resize(clientWidth, clientHeight); }
    int rowLength() const { return layout_.rowLength(); }
    // False, leaving the row length as it was, when the value is out of range.
    bool setRowLength(int rowLength) { return layout_.setRowLength(rowLength); }

    // A new buffer (a file shown); the view starts again at its first byte.
    void replaceBuffer(std::vector<std::uint8_t> bytes);
    bool hasBuffer() const { return hasBuffer_; }
    std::span<const std::uint8_t> data() const { return data_; }
    std::int64_t length() const { return layout_.length(); }

    std::int64_t top() const { return at_.top; }
    std::int64_t cursor() const { return at_.cursor; }
    EditMode editMode() const { return at_.editMode; }
    int nibble() const { return at_.nibble; }
    const Selection& selection() const { return at_.selection; }
    bool isSelected(std::int64_t index) const;

    std::int64_t linesPerPage() const { return layout_.linesPerPage(); }
    bool shortLastPage() const { return layout_.shortLastPage(); }
    ColumnOffsets columnOffsets() const { return layout_.columnOffsets(); }
    std::int64_t visibleLines() const { return layout_.visibleLines(); }
    ScrollBarState scrollBar() const { return layout_.scrollBar(at_.top); }
    CaretPlacement caret() const;

    void scroll(ScrollCode code, std::int64_t thumbPosition = 0);
    void wheel(int delta);
    void goToAddress(std::uint64_t address);
    void key(HexKey key, KeyModifiers modifiers);

    // Left button pressed at a client point; false when the point hit no byte.
    bool press(int x, int y, bool shift);
    // The press turned into a drag: the selection starts at the cursor.
    void beginDrag();
    // Mouse moved with the button held; points above or below the client area scroll.
    void dragTo(int x, int y);

    // A typed character (a Unicode code point); true when a byte changed.
    bool type(std::uint32_t character, bool ctrl);
    // Ctrl+X: removes the selected bytes; true when the buffer changed.
    bool deleteSelection();

  private:
    HexNavigator navigator() { return HexNavigator(layout_, at_); }
    bool hasData() const { return hasBuffer_ && !data_.empty(); }
    void moveTo(const HexHit& hit);

    HexViewLayout layout_;
    std::vector<std::uint8_t> data_;
    bool hasBuffer_ = false;
    HexPosition at_;
};

}  // namespace vexlor
