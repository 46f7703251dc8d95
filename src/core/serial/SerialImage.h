#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vexlor {

// A serial number as the writer holds it: 16 bytes, most significant first.
using SerialImage = std::array<std::uint8_t, 16>;

// Writes hexadecimal text right-aligned into the image, zeros in front. A zero, a line feed or
// any character that is not a hexadecimal digit ends the conversion, leaving the bytes not yet
// reached as they were (a byte whose high nibble was just written keeps that nibble only).
// Only the last 32 characters of a longer text are taken.
void HexTextToImage(std::string_view text, SerialImage& image);

}  // namespace vexlor
