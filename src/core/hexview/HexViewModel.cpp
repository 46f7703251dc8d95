#include "core/hexview/HexViewModel.h"

#include "core/hexview/FloorDiv.h"
#include "core/hexview/HexEditor.h"

namespace vexlor {

void HexViewModel::replaceBuffer(std::vector<std::uint8_t> bytes) {
    data_ = std::move(bytes);
    hasBuffer_ = true;
    layout_.setLength(static_cast<std::int64_t>(data_.size()));
    // A cursor, top or selection of the previous buffer could point past the new one; the
    // column the caret works in stays.
    const EditMode editMode = at_.editMode;
    at_ = HexPosition{};
    at_.editMode = editMode;
}

bool HexViewModel::isSelected(std::int64_t index) const {
    return at_.selection.exists() && index >= at_.selection.lower() &&
           index < at_.selection.higher();
}

CaretPlacement HexViewModel::caret() const {
    CaretPlacement caret;
    const ColumnOffsets offsets = layout_.columnOffsets();
    const ViewMetrics& metrics = layout_.metrics();
    const std::int64_t rowLength = layout_.rowLength();
    const std::int64_t row = floorDiv(at_.cursor - at_.top, rowLength);
    const std::int64_t column = at_.cursor - at_.top - row * rowLength;
    const int cw = metrics.charWidth;
    caret.y = static_cast<int>(row * metrics.lineHeight);
    caret.height = metrics.lineHeight;
    caret.width = cw;
    switch (at_.editMode) {
        case EditMode::Hex:
            caret.x = offsets.hex + static_cast<int>(column) * kHexCellChars * cw +
                      (at_.nibble == kHighNibble ? 0 : cw);
            break;
        case EditMode::Character:
            caret.x = offsets.characters + static_cast<int>(column) * cw;
            break;
        case EditMode::None:
            caret.x = 0;
            caret.width = (layout_.options().wideAddress ? 8 : 4) * cw;
            break;
    }
    caret.visible = hasData() && caret.x >= 0 && caret.x < metrics.clientWidth && caret.y >= 0 &&
                    caret.y < metrics.clientHeight;
    return caret;
}

void HexViewModel::scroll(ScrollCode code, std::int64_t thumbPosition) {
    if (hasBuffer_) {
        navigator().scroll(code, thumbPosition, false);
    }
}

void HexViewModel::wheel(int delta) {
    if (hasBuffer_) {
        navigator().wheel(delta);
    }
}

void HexViewModel::goToAddress(std::uint64_t address) {
    if (hasBuffer_) {
        navigator().goToAddress(address);
    }
}

void HexViewModel::key(HexKey key, KeyModifiers modifiers) {
    if (hasBuffer_) {
        navigator().key(key, modifiers);
    }
}

bool HexViewModel::press(int x, int y, bool shift) {
    const std::int64_t before = at_.cursor;
    const std::optional<HexHit> hit =
        hasBuffer_ ? hitTest(layout_, at_.top, x, y) : std::optional<HexHit>();
    if (hit) {
        moveTo(*hit);
    }
    if (!shift) {
        at_.selection = Selection{};
    } else if (hit) {
        at_.selection.start = before;
        at_.selection.end = navigator().selectionEndAtCursor(true);
    }
    return hit.has_value();
}

void HexViewModel::moveTo(const HexHit& hit) {
    at_.cursor = hit.index;
    at_.editMode = hit.mode;
    at_.nibble = hit.nibble;
}

void HexViewModel::beginDrag() {
    if (hasData()) {
        at_.selection.start = at_.cursor;
        at_.selection.end = at_.cursor;
    }
}

void HexViewModel::dragTo(int x, int y) {
    if (!hasData()) {
        return;
    }
    if (y < 0) {
        navigator().scroll(ScrollCode::LineUp, 0, true);
        y = 0;
    } else if (y >= layout_.metrics().clientHeight) {
        navigator().scroll(ScrollCode::LineDown, 0, true);
        y = static_cast<int>(layout_.visibleLines()) * layout_.metrics().lineHeight - 1;
    }
    if (const std::optional<HexHit> hit = hitTest(layout_, at_.top, x, y)) {
        moveTo(*hit);
        at_.selection.end = navigator().selectionEndAtCursor(true);
    }
}

bool HexViewModel::type(std::uint32_t character, bool ctrl) {
    return hasBuffer_ && HexEditor(data_, layout_, at_).type(character, ctrl);
}

bool HexViewModel::deleteSelection() {
    return hasBuffer_ && HexEditor(data_, layout_, at_).deleteSelection();
}

}  // namespace vexlor
