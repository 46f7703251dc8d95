#include "core/hexview/HexNavigator.h"

#include <algorithm>

#include "core/hexview/FloorDiv.h"

namespace vexlor {

namespace {

bool movesForward(HexKey key) {
    return key == HexKey::Right || key == HexKey::Down || key == HexKey::PageDown ||
           key == HexKey::End;
}

}  // namespace

void HexNavigator::scroll(ScrollCode code, std::int64_t thumbPosition, bool byKeyboard) {
    const std::int64_t before = at_.top;
    const std::int64_t page = layout_.pageBytes();
    const std::int64_t rowLength = layout_.rowLength();
    switch (code) {
        case ScrollCode::LineUp:
            if (at_.top > 0) {
                at_.top = std::max<std::int64_t>(0, at_.top - rowLength);
            }
            break;
        case ScrollCode::LineDown:
            if (at_.top < layout_.length() - page) {
                at_.top += rowLength;
            }
            break;
        case ScrollCode::PageUp:
            at_.top = std::max<std::int64_t>(0, at_.top - page);
            break;
        case ScrollCode::PageDown:
            // Never backwards, even when a jump left the top past the last page.
            at_.top = std::max(at_.top, std::min(at_.top + page, layout_.lastPageTop()));
            break;
        case ScrollCode::ThumbTrack:
            at_.top =
                std::clamp<std::int64_t>(thumbPosition, 0, layout_.scrollBar(at_.top).maximum) *
                rowLength;
            break;
        case ScrollCode::ThumbPosition:
            break;
    }
    if (!byKeyboard && layout_.length() > 0) {
        at_.cursor = std::clamp<std::int64_t>(at_.cursor + (at_.top - before), 0, lastByte());
    }
}

void HexNavigator::wheel(int delta) {
    // Fine-grained wheels send parts of a notch; they add up to whole rows.
    at_.pendingWheelDelta += delta;
    const int rows = at_.pendingWheelDelta / kWheelDeltaPerRow;
    at_.pendingWheelDelta -= rows * kWheelDeltaPerRow;
    const std::int64_t step = std::int64_t{rows} * layout_.rowLength();
    if (rows < 0) {
        at_.top = std::max(at_.top, std::min(at_.top - step, layout_.lastPageTop()));
    } else if (rows > 0) {
        at_.top = std::max<std::int64_t>(0, at_.top - step);
    }
}

void HexNavigator::goToAddress(std::uint64_t address) {
    if (address >= static_cast<std::uint64_t>(layout_.length())) {
        at_.top = layout_.lastPageTop();
    } else {
        at_.top = static_cast<std::int64_t>(address);
    }
}

std::int64_t HexNavigator::selectionEndAtCursor(bool forward) const {
    return at_.cursor + (forward && at_.editMode == EditMode::Hex ? 1 : 0);
}

std::int64_t HexNavigator::rowStartOf(std::int64_t index) const {
    const std::int64_t rowLength = layout_.rowLength();
    const std::int64_t start = at_.top + floorDiv(index - at_.top, rowLength) * rowLength;
    return std::max<std::int64_t>(0, start);
}

void HexNavigator::clampCursor() {
    if (at_.cursor < 0) {
        at_.cursor = 0;
        at_.nibble = kHighNibble;
    } else if (at_.cursor > lastByte()) {
        at_.cursor = lastByte();
        at_.nibble = kLowNibble;
    }
}

void HexNavigator::moveCursor(std::int64_t bytes) {
    at_.cursor += bytes;
    clampCursor();
}

void HexNavigator::stepHexDigit(bool right) {
    if (right) {
        if (at_.nibble == kHighNibble) {
            at_.nibble = kLowNibble;
        } else {
            ++at_.cursor;
            at_.nibble = kHighNibble;
        }
    } else {
        if (at_.nibble == kLowNibble) {
            at_.nibble = kHighNibble;
        } else {
            --at_.cursor;
            at_.nibble = kLowNibble;
        }
    }
    clampCursor();
}

void HexNavigator::keepCursorInView() {
    if (layout_.linesPerPage() <= 0) {
        return;
    }
    if (at_.cursor < at_.top) {
        scroll(ScrollCode::LineUp, 0, true);
    } else if (at_.cursor >= at_.top + layout_.pageBytes()) {
        scroll(ScrollCode::LineDown, 0, true);
    }
}

void HexNavigator::key(HexKey key, KeyModifiers modifiers) {
    if (layout_.length() == 0) {
        return;
    }
    const std::int64_t before = at_.cursor;
    const std::int64_t rowLength = layout_.rowLength();
    if (!modifiers.shift) {
        at_.selection = Selection{};
    }
    switch (key) {
        case HexKey::PageUp:
        case HexKey::PageDown:
            scroll(key == HexKey::PageUp ? ScrollCode::PageUp : ScrollCode::PageDown, 0, true);
            keepCursorInView();
            break;
        case HexKey::Home:
            at_.nibble = kHighNibble;
            if (modifiers.ctrl) {
                at_.top = 0;
                at_.cursor = 0;
            } else {
                at_.cursor = rowStartOf(at_.cursor);
                keepCursorInView();
            }
            break;
        case HexKey::End:
            at_.nibble = kHighNibble;
            if (modifiers.ctrl) {
                at_.cursor = lastByte();
                at_.top = layout_.shortLastPage() ? 0 : layout_.lastPageTop();
            } else {
                at_.cursor = std::min(rowStartOf(at_.cursor) + rowLength - 1, lastByte());
                keepCursorInView();
            }
            break;
        case HexKey::Left:
        case HexKey::Right:
            if (at_.editMode == EditMode::Hex) {
                stepHexDigit(key == HexKey::Right);
            } else {
                moveCursor(key == HexKey::Right ? 1 : -1);
            }
            keepCursorInView();
            break;
        case HexKey::Up:
        case HexKey::Down:
            moveCursor(key == HexKey::Down ? rowLength : -rowLength);
            keepCursorInView();
            break;
    }
    if (modifiers.shift) {
        if (!at_.selection.exists()) {
            at_.selection.start = before;
        }
        at_.selection.end = selectionEndAtCursor(movesForward(key));
    }
}

}  // namespace vexlor
