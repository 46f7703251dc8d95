#pragma once

#include <string>

namespace vexlor {

// The udev rule that gives the user at the seat access to the writer, and its file.
inline constexpr const char* kUdevRuleFileName = "60-vexlor-writer.rules";
std::string WriterUdevRule();

// What to tell the user when the writer is there but opening it was refused.
std::string WriterAccessDeniedMessage();

}  // namespace vexlor
