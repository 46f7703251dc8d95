#include "core/production/UtcTime.h"

#include <array>

#include "core/base/Diagnostics.h"

namespace vexlor {

namespace {

// The number of digits at pos, or nullopt when any of them is not one.
std::optional<int> digitsAt(std::string_view text, std::size_t pos, std::size_t count) {
    if (pos + count > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

}  // namespace

std::string UtcTimestamp(std::time_t time) {
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::optional<std::string> ParseUtcTimestamp(std::string_view text) {
    if (!text.empty() && text.back() == 'Z') {
        text.remove_suffix(1);
    }
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    if (!year || !month || !day || text[4] != '-' || text[7] != '-' || *month < 1 || *month > 12 ||
        *day < 1 || *day > daysInMonth(*year, *month)) {
        return std::nullopt;
    }
    std::optional<int> hour = 0, minute = 0, second = 0;
    if (text.size() > 10) {
        if (text[10] != 'T' && text[10] != ' ') {
            return std::nullopt;
        }
        hour = digitsAt(text, 11, 2);
        minute = digitsAt(text, 14, 2);
        if (text.size() < 16 || text[13] != ':') {
            return std::nullopt;
        }
        if (text.size() > 16) {
            second = text[16] == ':' && text.size() == 19 ? digitsAt(text, 17, 2) : std::nullopt;
        }
    }
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    return format("%04d-%02d-%02dT%02d:%02d:%02dZ", *year, *month, *day, *hour, *minute, *second);
}

}  // namespace vexlor
