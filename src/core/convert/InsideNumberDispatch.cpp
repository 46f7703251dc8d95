#include "core/convert/InsideNumberDispatch.h"

#include <array>
#include <functional>
#include <optional>

#include "core/convert/BufferFiles.h"
#include "core/convert/FamilyConverters.h"

namespace vexlor {
namespace {

using Converter = std::function<int(const ConversionJob&, ConversionOutput&)>;

struct Route {
    std::uint32_t insideNumber;
    std::string_view chip;
    Converter convert;
    // The layout the compare image needs, for the families whose download is not the file as is.
    std::optional<ConfigWordFamily> configWordFamily = std::nullopt;
    std::optional<EepromFamily> eepromFamily = std::nullopt;
};

Converter wordHex(WordHexFamily family) {
    return [family](const ConversionJob& job, ConversionOutput& out) {
        return convertWordHexFamily(job, out, family);
    };
}

Converter eeprom(EepromFamily family) {
    return [family](const ConversionJob& job, ConversionOutput& out) {
        return convertEepromFamily(job, out, family);
    };
}

Converter configWord(ConfigWordFamily family) {
    return [family](const ConversionJob& job, ConversionOutput& out) {
        return convertConfigWordFamily(job, out, family);
    };
}

Converter headerByte(HeaderByteFamily family) {
    return [family](const ConversionJob& job, ConversionOutput& out) {
        return convertHeaderByteFamily(job, out, family);
    };
}

constexpr WordHexFamily kQN8703Large{.idOffset = 0xFFC,
                                     .idFirstByte = 0x50,
                                     .configByteOffset = 0xFF9,
                                     .dataWords = 0x7FC,
                                     .protectedWords = 0x400,
                                     .configFeedMask = 0x231F,
                                     .serialEndLimit = 0x7FC,
                                     .serialEndMessage = "S/N End Address > 0x7fc",
                                     .field48 = 0x8E,
                                     .field48Protected = 0xFD,
                                     .writesExhvFlag = false};
// The larger 14-bit chip keeps the 0x8E code of its family.
constexpr WordHexFamily kQN3244{.idOffset = 0x1FFC,
                                .idFirstByte = 0x55,
                                .configByteOffset = 0x1FF9,
                                .dataWords = 0xFFC,
                                .protectedWords = 0x800,
                                .configFeedMask = 0x201F,
                                .serialEndLimit = 0xFFC,
                                .serialEndMessage = "S/N End Address > 0xffc",
                                .field48 = 0x8E,
                                .field48Protected = 0xFD,
                                .writesExhvFlag = false};
constexpr WordHexFamily kQN6223{.idOffset = 0x7FA,
                                .idFirstByte = 0x01,
                                .configByteOffset = 0x7F9,
                                .dataWords = 0x3FB,
                                .protectedWords = 0x200,
                                .configFeedMask = 0x201F,
                                .serialEndLimit = 0x3FC,
                                .serialEndMessage = "S/N End Address > 0x3fb",
                                .field48 = 0x86,
                                .field48Protected = 0xFB,
                                .writesExhvFlag = true};

// Each chip's EEPROM image carries the name its converter checks for.
constexpr EepromFamily kQRV7038{.eepromName = "QRV7038EEPROM",
                                .hexFillMode = 3,
                                .hexLength = 24608,
                                .eepromAreaWords = 0x3000,
                                .eepromFirstWord = 0xF00,
                                .eepromModeCode = 0x0F,
                                .wordOption = false,
                                .feedsOptionWord = false,
                                .ispFlag = false};
constexpr EepromFamily kQV1663{.eepromName = "QRV7079EEPROM",
                               .hexFillMode = 1,
                               .hexLength = 0,
                               .eepromAreaWords = 256,
                               .eepromFirstWord = 0,
                               .eepromModeCode = 0x17,
                               .wordOption = true,
                               .feedsOptionWord = true,
                               .ispFlag = true};

// Both smaller parts end their data where their configuration sits: QR64S27 has 0x1FFF words up
// to the word at 0x401E, QR64G98 0xFFF words up to its single configuration byte at 0x201F,
// which is taken as the low byte of the word.
constexpr ConfigWordFamily kQR64G98{0x201F, true, 0xFFF};
constexpr ConfigWordFamily kQR64S27{0x401E, false, 0x1FFF};
constexpr ConfigWordFamily kQR6401{0x401E, false, 0x1970};

const std::vector<Route>& routes() {
    static const std::vector<Route> table = {
        {0x1382, "QR6417", convertQR6417},
        {0x1390, "QR62J61", convertQR62J61},
        {0x1395, "QR64G98", configWord(kQR64G98), kQR64G98},
        {0x1396, "QR64S27", configWord(kQR64S27), kQR64S27},
        {0x1397, "QR6401", configWord(kQR6401), kQR6401},
        {0x1603, "QRV7034", convertOtpImageFamily},
        {0x1604, "QRV7041", convertOtpImageFamily},
        {0x1615, "QRV7071", convertOtpImageFamily},
        {0x1622, "QRV7049", convertOtpHexFamily},
        // QSV6842 keeps bit 4 of header byte 0x10 as an option bit (mask 0x7F, not 0x6F).
        {0x1629, "QSV6842", headerByte({0x7F})},
        {0x1630, "QRV7003", convertOtpHexFamily},
        {0x1632, "QRV7371", convertOtpHexFamily},
        {0x1633, "QRV7097", headerByte({0x6F})},
        {0x1636, "QRV7012", convertOtpHexFamily},
        {0x1638, "QRV7038", eeprom(kQRV7038), std::nullopt, kQRV7038},
        {0x1663, "QV1663", eeprom(kQV1663), std::nullopt, kQV1663},
        {0x27505, "QN8703_5XX", wordHex(kQN8703Large)},
        {0x27506, "QN8703_8XX", wordHex(kQN8703Large)},
        {0x27552, "QN3244", wordHex(kQN3244)},
        {0x28012, "QN6223", wordHex(kQN6223)},
        {0x28013, "QN8703_2XX", wordHex(kQN6223)},
    };
    return table;
}

const Route* findRoute(std::uint32_t insideNumber) {
    for (const Route& route : routes()) {
        if (route.insideNumber == insideNumber) {
            return &route;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string_view> chipOfInsideNumber(std::uint32_t insideNumber) {
    const Route* route = findRoute(insideNumber);
    return route ? std::optional(route->chip) : std::nullopt;
}

std::optional<ConfigWordFamily> configWordFamilyOf(std::uint32_t insideNumber) {
    const Route* route = findRoute(insideNumber);
    return route ? route->configWordFamily : std::nullopt;
}

std::optional<EepromFamily> eepromFamilyOf(std::uint32_t insideNumber) {
    const Route* route = findRoute(insideNumber);
    return route ? route->eepromFamily : std::nullopt;
}

int ConvertByInsideNumber(std::uint32_t insideNumber, const ConversionJob& job,
                          ConversionOutput& out) {
    const Route* route = findRoute(insideNumber);
    if (route == nullptr) {
        out.diagnostics.print("No support !");
        return 1;
    }
    return route->convert(job, out) == kConvertOk ? 0 : 1;
}

}  // namespace vexlor
