#pragma once

#include <cstdint>

#include "core/hexview/HexLayout.h"
#include "core/hexview/HexViewTypes.h"

namespace vexlor {

// What the view's geometry follows from: options, font and client size, row length and the
// buffer's length. Pages and columns are worked out again only after one of them changed.
class HexViewLayout {
  public:
    static constexpr int kDefaultRowLength = 16;
    // A stored row length outside 1..kMaxRowLength is not taken (it would divide by zero or
    // build rows no window can show).
    static constexpr int kMaxRowLength = 256;

    void setOptions(const HexViewOptions& options);
    const HexViewOptions& options() const { return options_; }
    void setMetrics(const ViewMetrics& metrics);
    const ViewMetrics& metrics() const { return metrics_; }
    // A size change: the row length returns to its default.
    void resize(int clientWidth, int clientHeight);
    int rowLength() const { return rowLength_; }
    // False, leaving the row length as it was, when the value is out of range.
    bool setRowLength(int rowLength);
    void setLength(std::int64_t length);
    std::int64_t length() const { return length_; }

    std::int64_t linesPerPage() const;
    bool shortLastPage() const;
    ColumnOffsets columnOffsets() const;
    // Whole lines that fit in the client area; painting stops after them.
    std::int64_t visibleLines() const;
    std::int64_t pageBytes() const { return linesPerPage() * rowLength_; }
    std::int64_t lastPageTop() const;
    ScrollBarState scrollBar(std::int64_t top) const;

  private:
    void ensure() const;

    HexViewOptions options_;
    ViewMetrics metrics_;
    int rowLength_ = kDefaultRowLength;
    std::int64_t length_ = 0;

    mutable bool dirty_ = true;
    mutable PageLayout page_{1, false};
    mutable ColumnOffsets offsets_;
};

}  // namespace vexlor
