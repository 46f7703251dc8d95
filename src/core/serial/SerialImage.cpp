#include "core/serial/SerialImage.h"

#include "core/base/HexDigit.h"

namespace vexlor {

namespace {

constexpr std::size_t kNibbles = 32;

}  // namespace

void HexTextToImage(std::string_view text, SerialImage& image) {
    if (text.size() > kNibbles) {
        text.remove_prefix(text.size() - kNibbles);
    }
    const std::size_t firstDigit = kNibbles - text.size();
    for (std::size_t position = 0; position < kNibbles; ++position) {
        const int value = position < firstDigit ? 0 : HexDigitValue(text[position - firstDigit]);
        if (value < 0) {
            return;
        }
        std::uint8_t& byte = image[position / 2];
        if (position % 2 == 0) {
            byte = static_cast<std::uint8_t>(value << 4);
        } else {
            byte = static_cast<std::uint8_t>(byte | value);
        }
    }
}

}  // namespace vexlor
