#pragma once

#include <string_view>

namespace vexlor {

// Caption of the message boxes the readers and converters show.
inline constexpr std::string_view kMessageCaption = "Message";

}  // namespace vexlor
