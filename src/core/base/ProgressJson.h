#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/ProgressSink.h"

namespace vexlor {

// The text as a JSON string literal, quotes included. Bytes that are not valid UTF-8 become
// U+FFFD, so a program reading the line never sees broken text.
std::string JsonString(std::string_view text);

// One event as one JSON object on one line (no line end). Every object has "event" (its kind)
// and "t" (milliseconds on the run's clock); the other keys belong to the kind.
std::string ProgressEventJson(const ProgressEvent& event, std::uint64_t timeMs);

// The name of a kind as "event" gives it.
std::string_view ProgressKindName(ProgressKind kind);

}  // namespace vexlor
