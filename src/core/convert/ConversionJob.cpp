#include "core/convert/ConversionJob.h"

#include <chrono>
#include <ctime>
#include <string>

namespace vexlor {

LocalTime currentLocalTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm parts{};
    localtime_r(&seconds, &parts);
    LocalTime time;
    time.year = static_cast<std::uint16_t>(parts.tm_year + 1900);
    time.month = static_cast<std::uint16_t>(parts.tm_mon + 1);
    time.dayOfWeek = static_cast<std::uint16_t>(parts.tm_wday);
    time.day = static_cast<std::uint16_t>(parts.tm_mday);
    time.hour = static_cast<std::uint16_t>(parts.tm_hour);
    time.minute = static_cast<std::uint16_t>(parts.tm_min);
    time.second = static_cast<std::uint16_t>(parts.tm_sec);
    time.millisecond = static_cast<std::uint16_t>(millis);
    return time;
}

std::uint32_t packProductionCount(std::uint32_t count) {
    const std::string digits = std::to_string(count);
    std::uint32_t packed = 0;
    for (std::size_t i = 0; i < digits.size() && i < 8; ++i) {
        packed = packed << 4 | static_cast<std::uint32_t>(digits[i] - '0');
    }
    return packed;
}

}  // namespace vexlor
