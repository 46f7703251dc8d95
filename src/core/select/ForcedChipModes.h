#pragma once

#include <array>
#include <string_view>

namespace vexlor {

// Chips that may only be programmed in one of the ISP modes: IC Type Select checks and greys
// that mode for them whenever their catalogue entry allows the mode at all.
inline constexpr std::array<std::string_view, 7> ForcedExHvIspChips{
    "QR46EP6239", "QR46YJ45B", "QR46YJ45", "QR46YJ45MB", "QR46NW51", "QR46NW51C", "46EP6239MB",
};

inline constexpr std::array<std::string_view, 30> ForcedIspChips{
    "31YH6019B",  "31PC9923B",  "31JF4668B",  "31ZD2239B",  "QR31YH6019", "QR31PC9923",
    "QR31JF4668", "QR31ZD2239", "QR31BV7533", "QR31PZ3944", "QR31ZJ0115", "QR31JW1910",
    "QR31WH1265", "31WH1265Z",  "QR31SG1369", "QR31VB1898", "QR31NR4256", "QR31AC4132",
    "QR31ER8158", "QR31H7662A", "QR31H7662B", "QR31V5E73",  "QR31Z3270",  "QR31B0H58",
    "QR31K8W12N", "QR31L8140",  "QR31Z314B",  "QR31F8C92",  "31114826MB", "QR31K1C13",
};

// Exact, case-sensitive comparison of the chip name.
bool IsForcedExHvIspChip(std::string_view chipName);
bool IsForcedIspChip(std::string_view chipName);

}  // namespace vexlor
