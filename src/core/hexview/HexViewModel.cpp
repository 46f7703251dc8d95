#include "core/hexview/HexViewModel.h"

#include <algorithm>

namespace vexlor {

namespace {

// Rounds towards minus infinity, so that rows above the top keep their place.
std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
    std::int64_t quotient = value / divisor;
    if (value % divisor != 0 && value < 0) {
        --quotient;
    }
    return quotient;
}

std::optional<int> hexDigitValue(std::uint32_t character) {
    if (character >= '0' && character <= '9') {
        return static_cast<int>(character - '0');
    }
    if (character >= 'a' && character <= 'f') {
        return static_cast<int>(character - 'a' + 10);
    }
    if (character >= 'A' && character <= 'F') {
        return static_cast<int>(character - 'A' + 10);
    }
    return std::nullopt;
}

bool movesForward(HexKey key) {
    return key == HexKey::Right || key == HexKey::Down || key == HexKey::PageDown ||
           key == HexKey::End;
}

}  // namespace

void HexViewModel::setOptions(const HexViewOptions& options) {
    options_ = options;
    markLayoutDirty();
}

void HexViewModel::setMetrics(const ViewMetrics& metrics) {
    metrics_ = metrics;
    markLayoutDirty();
}

void HexViewModel::resize(int clientWidth, int clientHeight) {
    metrics_.clientWidth = clientWidth;
    metrics_.clientHeight = clientHeight;
    rowLength_ = kDefaultRowLength;
    markLayoutDirty();
}

bool HexViewModel::setRowLength(int rowLength) {
    if (rowLength < 1 || rowLength > kMaxRowLength) {
        return false;
    }
    rowLength_ = rowLength;
    markLayoutDirty();
    return true;
}

void HexViewModel::replaceBuffer(std::vector<std::uint8_t> bytes) {
    data_ = std::move(bytes);
    hasBuffer_ = true;
    resetPosition();
    markLayoutDirty();
}

void HexViewModel::resetPosition() {
    // A cursor, top or selection of the previous buffer could point past the new one.
    top_ = 0;
    cursor_ = 0;
    nibble_ = kHighNibble;
    selection_ = Selection{};
    pendingWheelDelta_ = 0;
}

bool HexViewModel::isSelected(std::int64_t index) const {
    return selection_.exists() && index >= selection_.lower() && index < selection_.higher();
}

void HexViewModel::ensureLayout() const {
    if (!layoutDirty_) {
        return;
    }
    offsets_ = computeColumnOffsets(options_, metrics_.charWidth, rowLength_);
    page_ = computePageLayout(length(), rowLength_, metrics_.clientHeight, metrics_.lineHeight);
    layoutDirty_ = false;
}

std::int64_t HexViewModel::linesPerPage() const {
    ensureLayout();
    return page_.linesPerPage;
}

bool HexViewModel::shortLastPage() const {
    ensureLayout();
    return page_.shortLastPage;
}

ColumnOffsets HexViewModel::columnOffsets() const {
    ensureLayout();
    return offsets_;
}

std::int64_t HexViewModel::visibleLines() const {
    return metrics_.lineHeight > 0 ? metrics_.clientHeight / metrics_.lineHeight : 0;
}

std::int64_t HexViewModel::lastPageTop() const {
    return std::max<std::int64_t>(0, length() - pageBytes());
}

ScrollBarState HexViewModel::scrollBar() const {
    ScrollBarState bar;
    const std::int64_t rows = (length() + rowLength_ - 1) / rowLength_;
    bar.page = visibleLines();
    bar.maximum = std::max<std::int64_t>(0, rows - bar.page);
    bar.position = top_ / rowLength_;
    bar.enabled = rows > bar.page;
    return bar;
}

CaretPlacement HexViewModel::caret() const {
    CaretPlacement caret;
    const ColumnOffsets offsets = columnOffsets();
    const std::int64_t row = floorDiv(cursor_ - top_, rowLength_);
    const std::int64_t column = cursor_ - top_ - row * rowLength_;
    const int cw = metrics_.charWidth;
    caret.y = static_cast<int>(row * metrics_.lineHeight);
    caret.height = metrics_.lineHeight;
    caret.width = cw;
    switch (editMode_) {
        case EditMode::Hex:
            caret.x = offsets.hex + static_cast<int>(column) * kHexCellChars * cw +
                      (nibble_ == kHighNibble ? 0 : cw);
            break;
        case EditMode::Character:
            caret.x = offsets.characters + static_cast<int>(column) * cw;
            break;
        case EditMode::None:
            caret.x = 0;
            caret.width = (options_.wideAddress ? 8 : 4) * cw;
            break;
    }
    caret.visible = hasData() && caret.x >= 0 && caret.x < metrics_.clientWidth && caret.y >= 0 &&
                    caret.y < metrics_.clientHeight;
    return caret;
}

void HexViewModel::scroll(ScrollCode code, std::int64_t thumbPosition) {
    scrollTo(code, thumbPosition, false);
}

void HexViewModel::scrollTo(ScrollCode code, std::int64_t thumbPosition, bool byKeyboard) {
    if (!hasBuffer_) {
        return;
    }
    const std::int64_t before = top_;
    const std::int64_t page = pageBytes();
    switch (code) {
        case ScrollCode::LineUp:
            if (top_ > 0) {
                top_ = std::max<std::int64_t>(0, top_ - rowLength_);
            }
            break;
        case ScrollCode::LineDown:
            if (top_ < length() - page) {
                top_ += rowLength_;
            }
            break;
        case ScrollCode::PageUp:
            top_ = std::max<std::int64_t>(0, top_ - page);
            break;
        case ScrollCode::PageDown:
            // Never backwards, even when a jump left the top past the last page.
            top_ = std::max(top_, std::min(top_ + page, lastPageTop()));
            break;
        case ScrollCode::ThumbTrack:
            top_ = std::clamp<std::int64_t>(thumbPosition, 0, scrollBar().maximum) * rowLength_;
            break;
        case ScrollCode::ThumbPosition:
            break;
    }
    if (!byKeyboard && hasData()) {
        cursor_ = std::clamp<std::int64_t>(cursor_ + (top_ - before), 0, lastByte());
    }
}

void HexViewModel::wheel(int delta) {
    if (!hasBuffer_) {
        return;
    }
    // Fine-grained wheels send parts of a notch; they add up to whole rows.
    pendingWheelDelta_ += delta;
    const int rows = pendingWheelDelta_ / kWheelDeltaPerRow;
    pendingWheelDelta_ -= rows * kWheelDeltaPerRow;
    if (rows < 0) {
        top_ = std::max(
            top_, std::min<std::int64_t>(top_ - std::int64_t{rows} * rowLength_, lastPageTop()));
    } else if (rows > 0) {
        top_ = std::max<std::int64_t>(0, top_ - std::int64_t{rows} * rowLength_);
    }
}

std::optional<HexViewModel::Hit> HexViewModel::hitAt(int x, int y) const {
    const int cw = metrics_.charWidth;
    const int lh = metrics_.lineHeight;
    if (!hasBuffer_ || cw <= 0 || lh <= 0 || x < 0 || y < 0) {
        return std::nullopt;
    }
    const std::int64_t row = y / lh;
    const std::int64_t rowStart = top_ + row * rowLength_;
    if (row >= visibleLines() || rowStart >= length()) {
        return std::nullopt;
    }
    const ColumnOffsets offsets = columnOffsets();
    const std::int64_t cell = x / cw;
    if (options_.showAddress && cell < addressColumnChars(options_)) {
        return Hit{rowStart, EditMode::None, kHighNibble};
    }
    if (options_.showHex) {
        const std::int64_t hexCell = cell - offsets.hex / cw;
        if (hexCell >= 0 && hexCell < std::int64_t{rowLength_} * kHexCellChars) {
            const std::int64_t index = rowStart + hexCell / kHexCellChars;
            if (index >= length()) {
                return std::nullopt;
            }
            // The blank after a byte counts for its low digit.
            const int nibble = hexCell % kHexCellChars == 0 ? kHighNibble : kLowNibble;
            return Hit{index, EditMode::Hex, nibble};
        }
    }
    if (options_.showCharacters) {
        const std::int64_t charCell = cell - offsets.characters / cw;
        if (charCell >= 0 && charCell < rowLength_) {
            const std::int64_t index = rowStart + charCell;
            if (index >= length()) {
                return std::nullopt;
            }
            return Hit{index, EditMode::Character, kHighNibble};
        }
    }
    return std::nullopt;
}

void HexViewModel::apply(const Hit& hit) {
    cursor_ = hit.index;
    editMode_ = hit.mode;
    nibble_ = hit.nibble;
}

std::int64_t HexViewModel::selectionEndAtCursor(bool forward) const {
    return cursor_ + (forward && editMode_ == EditMode::Hex ? 1 : 0);
}

bool HexViewModel::press(int x, int y, bool shift) {
    const std::int64_t before = cursor_;
    const std::optional<Hit> hit = hitAt(x, y);
    if (hit) {
        apply(*hit);
    }
    if (!shift) {
        selection_ = Selection{};
    } else if (hit) {
        selection_.start = before;
        selection_.end = selectionEndAtCursor(true);
    }
    return hit.has_value();
}

void HexViewModel::beginDrag() {
    if (!hasData()) {
        return;
    }
    selection_.start = cursor_;
    selection_.end = cursor_;
}

void HexViewModel::dragTo(int x, int y) {
    if (!hasData()) {
        return;
    }
    if (y < 0) {
        scrollTo(ScrollCode::LineUp, 0, true);
        y = 0;
    } else if (y >= metrics_.clientHeight) {
        scrollTo(ScrollCode::LineDown, 0, true);
        y = static_cast<int>(visibleLines()) * metrics_.lineHeight - 1;
    }
    if (const std::optional<Hit> hit = hitAt(x, y)) {
        apply(*hit);
        selection_.end = selectionEndAtCursor(true);
    }
}

std::int64_t HexViewModel::rowStartOf(std::int64_t index) const {
    const std::int64_t start = top_ + floorDiv(index - top_, rowLength_) * rowLength_;
    return std::max<std::int64_t>(0, start);
}

void HexViewModel::clampCursor() {
    if (cursor_ < 0) {
        cursor_ = 0;
        nibble_ = kHighNibble;
    } else if (cursor_ > lastByte()) {
        cursor_ = lastByte();
        nibble_ = kLowNibble;
    }
}

void HexViewModel::moveCursor(std::int64_t bytes) {
    cursor_ += bytes;
    clampCursor();
}

void HexViewModel::stepHexDigit(bool right) {
    if (right) {
        if (nibble_ == kHighNibble) {
            nibble_ = kLowNibble;
        } else {
            ++cursor_;
            nibble_ = kHighNibble;
        }
    } else {
        if (nibble_ == kLowNibble) {
            nibble_ = kHighNibble;
        } else {
            --cursor_;
            nibble_ = kLowNibble;
        }
    }
    clampCursor();
}

void HexViewModel::keepCursorInView() {
    if (linesPerPage() <= 0) {
        return;
    }
    if (cursor_ < top_) {
        scrollTo(ScrollCode::LineUp, 0, true);
    } else if (cursor_ >= top_ + pageBytes()) {
        scrollTo(ScrollCode::LineDown, 0, true);
    }
}

void HexViewModel::key(HexKey key, KeyModifiers modifiers) {
    if (!hasData()) {
        return;
    }
    const std::int64_t before = cursor_;
    if (!modifiers.shift) {
        selection_ = Selection{};
    }
    switch (key) {
        case HexKey::PageUp:
        case HexKey::PageDown:
            scrollTo(key == HexKey::PageUp ? ScrollCode::PageUp : ScrollCode::PageDown, 0, true);
            keepCursorInView();
            break;
        case HexKey::Home:
            nibble_ = kHighNibble;
            if (modifiers.ctrl) {
                top_ = 0;
                cursor_ = 0;
            } else {
                cursor_ = rowStartOf(cursor_);
                keepCursorInView();
            }
            break;
        case HexKey::End:
            nibble_ = kHighNibble;
            if (modifiers.ctrl) {
                cursor_ = lastByte();
                top_ = shortLastPage() ? 0 : lastPageTop();
            } else {
                cursor_ = std::min(rowStartOf(cursor_) + rowLength_ - 1, lastByte());
                keepCursorInView();
            }
            break;
        case HexKey::Left:
        case HexKey::Right:
            if (editMode_ == EditMode::Hex) {
                stepHexDigit(key == HexKey::Right);
            } else {
                moveCursor(key == HexKey::Right ? 1 : -1);
            }
            keepCursorInView();
            break;
        case HexKey::Up:
        case HexKey::Down:
            moveCursor(key == HexKey::Down ? rowLength_ : -rowLength_);
            keepCursorInView();
            break;
    }
    if (modifiers.shift) {
        if (!selection_.exists()) {
            selection_.start = before;
        }
        selection_.end = selectionEndAtCursor(movesForward(key));
    }
}

bool HexViewModel::type(std::uint32_t character, bool ctrl) {
    if (ctrl || character == '\t' || character == '\b') {
        return false;
    }
    if (!hasData() || editMode_ == EditMode::None) {
        return false;
    }
    selection_ = Selection{};
    std::uint8_t& byte = data_[static_cast<std::size_t>(cursor_)];
    if (editMode_ == EditMode::Character) {
        // Only what fits in one byte can be stored as itself.
        if (character > 0xFF) {
            return false;
        }
        byte = static_cast<std::uint8_t>(character);
        moveCursor(1);
    } else {
        const std::optional<int> digit = hexDigitValue(character);
        if (!digit) {
            return false;
        }
        byte = nibble_ == kHighNibble ? static_cast<std::uint8_t>((byte & 0x0F) | (*digit << 4))
                                      : static_cast<std::uint8_t>((byte & 0xF0) | *digit);
        stepHexDigit(true);
    }
    keepCursorInView();
    return true;
}

bool HexViewModel::deleteSelection() {
    if (!hasBuffer_ || !selection_.exists()) {
        return false;
    }
    const std::int64_t lower = std::clamp<std::int64_t>(selection_.lower(), 0, length());
    const std::int64_t higher = std::clamp<std::int64_t>(selection_.higher(), 0, length());
    selection_ = Selection{};
    if (lower >= higher) {
        return false;
    }
    data_.erase(data_.begin() + lower, data_.begin() + higher);
    markLayoutDirty();
    // Both must stay on a byte of the shorter buffer, or typing would write past its end.
    cursor_ = std::clamp<std::int64_t>(cursor_, 0, std::max<std::int64_t>(0, lastByte()));
    if (top_ >= length()) {
        top_ = lastPageTop();
    }
    return true;
}

void HexViewModel::goToAddress(std::uint64_t address) {
    if (!hasBuffer_) {
        return;
    }
    if (address >= static_cast<std::uint64_t>(length())) {
        top_ = lastPageTop();
    } else {
        top_ = static_cast<std::int64_t>(address);
    }
}

}  // namespace vexlor
