#pragma once

#include <string>

namespace vexlor {

// The profile section that keeps the view's row length, formed from the identifier of the
// control the view stands on.
std::string rowLengthProfileSection(int parentControlId);

// The value name of the row length in that section.
inline constexpr const char* kRowLengthProfileValue = "m_lpr";

// The log edit control the view covers.
inline constexpr int kLogEditControlId = 1021;

}  // namespace vexlor
