#include "core/hexview/HexEditor.h"

#include <algorithm>
#include <optional>

namespace vexlor {

namespace {

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

}  // namespace

bool HexEditor::type(std::uint32_t character, bool ctrl) {
    if (ctrl || character == '\t' || character == '\b') {
        return false;
    }
    if (data_.empty() || at_.editMode == EditMode::None) {
        return false;
    }
    HexNavigator navigator(layout_, at_);
    at_.selection = Selection{};
    std::uint8_t& byte = data_[static_cast<std::size_t>(at_.cursor)];
    if (at_.editMode == EditMode::Character) {
        // Only what fits in one byte can be stored as itself.
        if (character > 0xFF) {
            return false;
        }
        byte = static_cast<std::uint8_t>(character);
        navigator.moveCursor(1);
    } else {
        const std::optional<int> digit = hexDigitValue(character);
        if (!digit) {
            return false;
        }
        byte = at_.nibble == kHighNibble ? static_cast<std::uint8_t>((byte & 0x0F) | (*digit << 4))
                                         : static_cast<std::uint8_t>((byte & 0xF0) | *digit);
        navigator.stepHexDigit(true);
    }
    navigator.keepCursorInView();
    return true;
}

bool HexEditor::deleteSelection() {
    if (!at_.selection.exists()) {
        return false;
    }
    const auto length = static_cast<std::int64_t>(data_.size());
    const std::int64_t lower = std::clamp<std::int64_t>(at_.selection.lower(), 0, length);
    const std::int64_t higher = std::clamp<std::int64_t>(at_.selection.higher(), 0, length);
    at_.selection = Selection{};
    if (lower >= higher) {
        return false;
    }
    data_.erase(data_.begin() + lower, data_.begin() + higher);
    layout_.setLength(static_cast<std::int64_t>(data_.size()));
    // Both must stay on a byte of the shorter buffer, or typing would write past its end.
    const std::int64_t lastByte = layout_.length() - 1;
    at_.cursor = std::clamp<std::int64_t>(at_.cursor, 0, std::max<std::int64_t>(0, lastByte));
    if (at_.top >= layout_.length()) {
        at_.top = layout_.lastPageTop();
    }
    return true;
}

}  // namespace vexlor
