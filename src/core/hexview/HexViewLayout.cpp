#include "core/hexview/HexViewLayout.h"

#include <algorithm>

namespace vexlor {

void HexViewLayout::setOptions(const HexViewOptions& options) {
    options_ = options;
    dirty_ = true;
}

void HexViewLayout::setMetrics(const ViewMetrics& metrics) {
    metrics_ = metrics;
    dirty_ = true;
}

void HexViewLayout::resize(int clientWidth, int clientHeight) {
    metrics_.clientWidth = clientWidth;
    metrics_.clientHeight = clientHeight;
    rowLength_ = kDefaultRowLength;
    dirty_ = true;
}

bool HexViewLayout::setRowLength(int rowLength) {
    if (rowLength < 1 || rowLength > kMaxRowLength) {
        return false;
    }
    rowLength_ = rowLength;
    dirty_ = true;
    return true;
}

void HexViewLayout::setLength(std::int64_t length) {
    length_ = length;
    dirty_ = true;
}

void HexViewLayout::ensure() const {
    if (!dirty_) {
        return;
    }
    offsets_ = computeColumnOffsets(options_, metrics_.charWidth, rowLength_);
    page_ = computePageLayout(length_, rowLength_, metrics_.clientHeight, metrics_.lineHeight);
    dirty_ = false;
}

std::int64_t HexViewLayout::linesPerPage() const {
    ensure();
    return page_.linesPerPage;
}

bool HexViewLayout::shortLastPage() const {
    ensure();
    return page_.shortLastPage;
}

ColumnOffsets HexViewLayout::columnOffsets() const {
    ensure();
    return offsets_;
}

std::int64_t HexViewLayout::visibleLines() const {
    return metrics_.lineHeight > 0 ? metrics_.clientHeight / metrics_.lineHeight : 0;
}

std::int64_t HexViewLayout::lastPageTop() const {
    return std::max<std::int64_t>(0, length_ - pageBytes());
}

ScrollBarState HexViewLayout::scrollBar(std::int64_t top) const {
    ScrollBarState bar;
    const std::int64_t rows = (length_ + rowLength_ - 1) / rowLength_;
    bar.page = visibleLines();
    bar.maximum = std::max<std::int64_t>(0, rows - bar.page);
    bar.position = top / rowLength_;
    bar.enabled = rows > bar.page;
    return bar;
}

}  // namespace vexlor
