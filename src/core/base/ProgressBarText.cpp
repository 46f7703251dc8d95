#include "core/base/ProgressBarText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace vexlor {

namespace {

std::string rateText(std::uint64_t bytes, std::uint64_t elapsedMs) {
    const double perSecond = static_cast<double>(bytes) * 1000.0 / static_cast<double>(elapsedMs);
    std::array<char, 32> text{};
    if (perSecond >= 1024.0 * 1024.0) {
        std::snprintf(text.data(), text.size(), "%.1f MiB/s", perSecond / (1024.0 * 1024.0));
    } else if (perSecond >= 1024.0) {
        std::snprintf(text.data(), text.size(), "%.1f KiB/s", perSecond / 1024.0);
    } else {
        std::snprintf(text.data(), text.size(), "%.0f B/s", perSecond);
    }
    return text.data();
}

std::string durationText(std::uint64_t seconds) {
    std::array<char, 32> text{};
    if (seconds >= 3600) {
        std::snprintf(text.data(), text.size(), "%llu:%02llu:%02llu",
                      static_cast<unsigned long long>(seconds / 3600),
                      static_cast<unsigned long long>(seconds / 60 % 60),
                      static_cast<unsigned long long>(seconds % 60));
    } else {
        std::snprintf(text.data(), text.size(), "%llu:%02llu",
                      static_cast<unsigned long long>(seconds / 60),
                      static_cast<unsigned long long>(seconds % 60));
    }
    return text.data();
}

}  // namespace

std::string ProgressBarLine(const ProgressBarState& state, int width) {
    const double fraction = std::clamp(state.fraction, 0.0, 1.0);
    const int filled = static_cast<int>(fraction * width);
    std::array<char, 8> percent{};
    std::snprintf(percent.data(), percent.size(), "%3d%%", static_cast<int>(fraction * 100));
    std::string line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(width - filled), '-') + "] " +
                       percent.data();
    if (state.bytes > 0 && state.elapsedMs > 0) {
        line += "  " + rateText(state.bytes, state.elapsedMs);
    }
    if (fraction > 0 && state.elapsedMs > 0) {
        const double leftMs = static_cast<double>(state.elapsedMs) * (1.0 - fraction) / fraction;
        line +=
            "  " + durationText(static_cast<std::uint64_t>(std::ceil(leftMs / 1000.0))) + " left";
    } else {
        line += "  --:-- left";
    }
    return line;
}

}  // namespace vexlor
