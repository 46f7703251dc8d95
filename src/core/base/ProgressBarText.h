#pragma once

#include <cstdint>
#include <string>

namespace vexlor {

// Where a running operation stands, as a terminal bar needs it.
struct ProgressBarState {
    double fraction = 0;          // 0..1 of the range; outside is clamped
    std::uint64_t bytes = 0;      // moved since the operation started; 0: none reported
    std::uint64_t elapsedMs = 0;  // since the operation started
};

// "[#####-----]  50%  12.5 KiB/s  0:04 left": the rate only when bytes moved, the time left
// once part of the work is done and time has passed ("--:--" before).
std::string ProgressBarLine(const ProgressBarState& state, int width = 30);

}  // namespace vexlor
