#include "core/serial/SerialChipRules.h"

#include <algorithm>
#include <vector>

#include "core/base/Diagnostics.h"

namespace vexlor {

namespace {

using Names = std::vector<std::string_view>;

constexpr std::string_view kEvenSet[] = {
    "QR31Z6142",  "QR31B3973",  "QR31Z6142B", "QR31B3973B", "QR31N4389T", "QR31E5217",
    "QR31V8123",  "QR31F0692",  "QR31V2390",  "QR31W5613",  "QR31F6776",  "QR31N4365",
    "QR31K3020",  "QR31W5613T", "QR31F6776T", "QR31N4365T", "QR31K3020T", "QR31JF4668",
    "QR31YH6019", "QR31PC9923", "QR31ZD2239", "31JF4668B",  "31YH6019B",  "31PC9923B",
    "31ZD2239B",  "QR31F5925",  "QR31H1974",  "QR31N3856",  "QR31JW1910", "QR31PZ3944",
    "QR31WH1265", "QR31ZJ0115", "QR31VE4227", "QR31L8140",  "QR31C8651",  "QR31F8C92",
    "QR31E3378",  "QR31L7393",  "QR31NDA86",  "QR31X8913",  "QR31N179A",  "QR31P2801",
    "QR31P29H0",  "QR31N2136"};

constexpr std::string_view kHalfAddressSet[] = {
    "QR64L74M",  "QR68K39M",  "QR68E16M",  "QR68J86M",   "QR64NH45L", "QR64NH45H", "QR64YS90L",
    "QR64YS90H", "QR64E26",   "QR68N88M",  "QR64PX53H",  "QR64PX53L", "QR64FS38H", "QR64FS38L",
    "QR64Y09",   "QR64CC36L", "QR64CC36H", "QR64CC36BL", "QR64CC36BH"};

// One row of the fixed-address chips; the first row naming the chip decides.
struct FixedRow {
    Names chips;
    std::uint32_t address;
    // A second accepted address, or 0.
    std::uint32_t otherAddress;
    const char* message;
};

const FixedRow kFixedRows[] = {
    {{"QR64L74M"}, 0xFFD, 0, "S/N Start Address Error (defined=>ffdh)"},
    {{"QR68K39M"}, 0x1FFD, 0, "S/N Start Address Error (defined=>1ffdh)"},
    {{"QR68E16M", "QR68J86M"}, 0x3FFD, 0, "S/N Start Address Error (defined=>3ffdh)"},
    {{"QR68N88M"}, 0x7FFD, 0, "S/N Start Address Error (defined=>7ffdh)"},
    {{"QR64NH45L", "QR64NH45H"}, 0xBFD, 0, "S/N Start Address Error (defined=>bfdh)"},
    {{"QR64YS90L", "QR64YS90H"}, 0x7FD, 0, "S/N Start Address Error (defined=>7fdh)"},
    {{"QR64E26"}, 0x5FD, 0, "S/N Start Address Error (defined=>5fdh)"},
    {{"QR64PX53H", "QR64PX53L"}, 0xFFD, 0, "S/N Start Address Error (defined=>ffdh)"},
    {{"QR64FS38H", "QR64FS38L"}, 0x1FFD, 0, "S/N Start Address Error (defined=>1ffdh)"},
    {{"QR64Y09", "QR64CC36L", "QR64CC36H", "QR64CC36BL", "QR64CC36BH"},
     0xEFD,
     0x7F6,
     "S/N Start Address Error\n (Normal Code / First Code use should defined=>efdh)\n (Second "
     "Code use should defined=>7f6h)"},
    {{"QR31V8123", "QR31E5217", "QR31V8123B", "QR31E5217B"},
     0xFF2,
     0,
     "S/N Start Address Error (defined=>ff2h)"},
    {{"QR31V2390", "QR31F0692", "QR31V2390B", "QR31F0692B"},
     0x1FF2,
     0,
     "S/N Start Address Error (defined=>1ff2h)"},
    {{"QR31N4365", "QR31K3020", "QR31N4365T", "QR31K3020T"},
     0x1FE2,
     0,
     "S/N Start Address Error (defined=>1fe2h)"},
    {{"QR31W5613", "QR31F6776", "QR31W5613T", "QR31F6776T"},
     0x3FE2,
     0,
     "S/N Start Address Error (defined=>3fe2h)"},
    {{"QR31F5925", "QR31L8140", "QR31F8C92", "QR31NDA86", "QR31PC9923", "QR31ZD2239", "31PC9923B",
      "31ZD2239B"},
     0x1FE2,
     0,
     "S/N Start Address Error (defined=>1fe2h)"},
    {{"QR31JF4668", "QR31YH6019", "31JF4668B", "31YH6019B"},
     0x3FE2,
     0,
     "S/N Start Address Error (defined=>3fe2h)"},
    {{"QR31Z4150"}, 0x7FF6, 0, "S/N Start Address Error (defined=>7ff6h)"},
    {{"QR31N3856", "QR31PZ3944", "QR31ZJ0115"},
     0x1FF6,
     0,
     "S/N Start Address Error (defined=>1ff6h)"},
    {{"QR31H1974", "QR31JW1910", "QR31WH1265", "QR31E3378"},
     0x3FF6,
     0,
     "S/N Start Address Error (defined=>3ff6h)"},
    {{"QR31VE4227"}, 0x600, 0, "S/N Start Address Error (defined Info ROM=>0600h)"},
    {{"QR31L1334"}, 0x600, 0, "S/N Start Address Error (defined=>0600h)"},
    {{"QR31C8651", "QR31Z6121", "QR31L7393", "QR31P2801", "QR31P29H0"},
     0xE520,
     0,
     "S/N Start Address Error (defined Info ROM=>E520h)"},
    {{"QR31N2136"}, 0xE51C, 0, "S/N Start Address Error (defined Info ROM=>E51Ch)"},
    {{"31JE2278A", "31JE2278D"}, 0x7FF6, 0, "S/N Start Address Error (defined=>7FF6h)"},
    {{"QR31X8913"}, 0x27F6, 0, "S/N Start Address Error (defined=>27F6h)"},
    {{"QR31N179A"}, 0x33F6, 0, "S/N Start Address Error (defined=>33F6h)"},
};

// Chips with a page lock keep their serial number below this address.
constexpr std::uint32_t kPagelockLimit = 0x128;

template <typename Range>
bool names(const Range& chips, std::string_view chipName) {
    return std::find(std::begin(chips), std::end(chips), chipName) != std::end(chips);
}

const FixedRow* fixedRowOf(std::string_view chipName) {
    for (const FixedRow& row : kFixedRows) {
        if (names(row.chips, chipName)) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

bool InEvenSerialSet(std::string_view chipName) {
    return names(kEvenSet, chipName);
}

bool InFixedSerialSet(std::string_view chipName) {
    return fixedRowOf(chipName) != nullptr;
}

bool InHalfAddressSerialSet(std::string_view chipName) {
    return names(kHalfAddressSet, chipName);
}

std::optional<std::string> CheckSerialPlacement(std::string_view chipName, const ICInfo& chip,
                                                std::uint32_t startAddress,
                                                std::uint8_t lengthBytes) {
    if (InEvenSerialSet(chipName)) {
        if (startAddress % 2 != 0) {
            return "S/N Start Address, Please Enter an even data";
        }
        if (lengthBytes % 2 != 0) {
            return "S/N Length Address, Please Enter an even data";
        }
    }
    if (const FixedRow* row = fixedRowOf(chipName)) {
        if (lengthBytes != 4) {
            return "S/N Length Enter 4";
        }
        const bool defined = startAddress == row->address ||
                             (row->otherAddress && startAddress == row->otherAddress);
        if (!defined) {
            return row->message;
        }
        return std::nullopt;
    }
    if (InEvenSerialSet(chipName)) {
        return std::nullopt;
    }
    const std::uint32_t limit = chip.Have_Pagelock != 0 ? kPagelockLimit : chip.Program_Capacity;
    if (static_cast<std::uint64_t>(limit) <
        static_cast<std::uint64_t>(startAddress) + lengthBytes) {
        return format("S/N End Address > 0x%X", limit);
    }
    return std::nullopt;
}

}  // namespace vexlor
