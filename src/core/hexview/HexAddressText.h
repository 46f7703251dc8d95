#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexlor {

// Reads an address typed in hexadecimal the way scanf's "%x" does: leading white space, an
// optional '+', an optional "0x", then hex digits up to the first other character. Nothing when
// there is no digit or a '-'; a value too large for 64 bits saturates (it lies past any buffer).
std::optional<std::uint64_t> scanHexAddress(std::string_view text);

// The profile section that keeps the view's row length, formed from the identifier of the
// control the view stands on.
std::string rowLengthProfileSection(int parentControlId);

// The value name of the row length in that section.
inline constexpr const char* kRowLengthProfileValue = "m_lpr";

// The log edit control the view covers.
inline constexpr int kLogEditControlId = 1021;

}  // namespace vexlor
