#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace vexlor {

// "2026-12-06T21:55:50Z": sorts as text in time order, which the log's queries rely on.
std::string UtcTimestamp(std::time_t time);

// A date ("2026-12-06") or date-time ("2026-12-06T21:55", seconds and a final Z optional; a
// space may stand for the T), in UTC, in the form UtcTimestamp writes; nullopt for anything
// else, impossible dates included.
std::optional<std::string> ParseUtcTimestamp(std::string_view text);

}  // namespace vexlor
