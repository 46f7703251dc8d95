#pragma once

#include <cstdint>
#include <string_view>

namespace vexlor {

// Hexadecimal key text of the chip files into destination, which is NOT cleared first: a key
// met twice keeps shifting the value it already holds. Stored files rely on these rules:
//  - when "0x" or "0X" occurs anywhere, the first two characters are dropped (wherever the
//    prefix actually was);
//  - every remaining character shifts the value left by four bits (wrapping at 32 bits), then
//    adds 0-9 for digits, 10-35 for letters A-Z or a-z, nothing for anything else.
void ParseHexText(std::string_view text, std::uint32_t& destination);

}  // namespace vexlor
