#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vexlor {

// Reads a number typed in hexadecimal the way scanf's "%x" does: leading white space, an
// optional '+', an optional "0x", then hex digits up to the first other character. Nothing when
// there is no digit or a '-'; a value too large for 64 bits saturates, as strtoul does. Callers
// with narrower fields keep the low bits, as scanf into an unsigned int does.
std::optional<std::uint64_t> ScanHex(std::string_view text);

}  // namespace vexlor
