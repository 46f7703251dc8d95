#include "core/convert/InsideNumberDispatch.h"

#include <array>
#include <functional>

#include "core/convert/BufferFiles.h"
#include "core/convert/FamilyConverters.h"

namespace vexlor {
namespace {

using Converter = std::function<int(const ConversionJob&, ConversionOutput&)>;

struct Route {
    std::uint32_t insideNumber;
    std::string_view chip;
    Converter convert;
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

constexpr WordHexFamily kQN8703Large{
    0xFFC, 0x50, 0xFF9, 0x7FC, 0x400, 0x231F, 0x7FC, "S/N End Address > 0x7fc", 0x8E, 0xFD, false};
// The larger 14-bit chip keeps the 0x8E code of its family.
constexpr WordHexFamily kQN3244{0x1FFC, 0x55,   0x1FF9, 0xFFC,
                                0x800,  0x201F, 0xFFC,  "S/N End Address > 0xffc",
                                0x8E,   0xFD,   false};
constexpr WordHexFamily kQN6223{
    0x7FA, 0x01, 0x7F9, 0x3FB, 0x200, 0x201F, 0x3FC, "S/N End Address > 0x3fb", 0x86, 0xFB, true};

// The EEPROM image names are the ones each converter checks for.
constexpr EepromFamily kQRV7038{"QRV7038EEPROM", 3,     24608, 0x3000, 0xF00, 0x0F,
                                false,           false, false};
constexpr EepromFamily kQV1663{"QRV7079EEPROM", 1, 0, 256, 0, 0x17, true, true, true};

const std::vector<Route>& routes() {
    static const std::vector<Route> table = {
        {0x1382, "QR6417", convertQR6417},
        {0x1390, "QR62J61", convertQR62J61},
        // The smaller OTP parts keep their configuration byte at the end of a 4 KiW image.
        {0x1395, "QR64G98", configWord({0x201F, true, 0xFFF})},
        {0x1396, "QR64S27", configWord({0x401E, false, 0x1FFF})},
        {0x1397, "QR6401", configWord({0x401E, false, 0x1970})},
        {0x1603, "QRV7034", convertOtpImageFamily},
        {0x1604, "QRV7041", convertOtpImageFamily},
        {0x1615, "QRV7071", convertOtpImageFamily},
        {0x1622, "QRV7049", convertOtpHexFamily},
        // QSV6842 keeps bit 4 of header byte 0x10 as an option bit as well.
        {0x1629, "QSV6842", headerByte({0x7F})},
        {0x1630, "QRV7003", convertOtpHexFamily},
        {0x1632, "QRV7371", convertOtpHexFamily},
        {0x1633, "QRV7097", headerByte({0x6F})},
        {0x1636, "QRV7012", convertOtpHexFamily},
        {0x1638, "QRV7038", eeprom(kQRV7038)},
        {0x1663, "QV1663", eeprom(kQV1663)},
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

int ConvertByInsideNumber(std::uint32_t insideNumber, const ConversionJob& job,
                          ConversionOutput& out) {
    const Route* route = findRoute(insideNumber);
    if (route == nullptr) {
        out.diagnostics.print("No support !");
        return 1;
    }
    if (route->convert(job, out) != kConvertOk) {
        return 1;
    }
    const std::uint8_t model = writerModelCode(job.writerModelKLW20);
    return patchFileBytes(job.baseDirectory / kBufferOptionName, kWriterModelOffset,
                          std::span(&model, 1))
               ? 0
               : 1;
}

}  // namespace vexlor
