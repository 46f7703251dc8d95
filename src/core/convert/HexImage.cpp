#include "core/convert/HexImage.h"

#include <array>
#include <string_view>
#include <vector>

#include "core/convert/ByteFiles.h"

namespace vexlor {
namespace {

constexpr int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Value of a data digit by character: one that is not a hex digit counts as 0.
constexpr std::array<std::uint8_t, 256> makeDataDigits() {
    std::array<std::uint8_t, 256> digits{};
    for (int c = 0; c < 256; ++c) {
        const int value = hexDigitValue(static_cast<char>(c));
        digits[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(value < 0 ? 0 : value);
    }
    return digits;
}
constexpr std::array<std::uint8_t, 256> kDataDigits = makeDataDigits();

// A digit beyond the end of the line counts as 0 as well.
std::uint8_t dataDigit(std::string_view line, std::size_t index) {
    return index < line.size() ? kDataDigits[static_cast<unsigned char>(line[index])] : 0;
}

std::uint32_t field(std::string_view line, std::size_t first, std::size_t length) {
    if (first >= line.size()) {
        return 0;
    }
    const std::size_t available = std::min(length, line.size() - first);
    return parseHexField(line.data() + first, available);
}

void fillImage(std::vector<std::uint8_t>& image, int fillMode) {
    if (fillMode == static_cast<int>(HexFillMode::Blank14BitWord)) {
        for (std::size_t address = 0; address < 65538; ++address) {
            image[address] = (address % 2 == 0) ? 0xFF : 0x3F;
        }
        return;
    }
    const std::uint8_t blank = fillMode == static_cast<int>(HexFillMode::Blank0x00) ? 0x00 : 0xFF;
    std::fill(image.begin(), image.begin() + 65537, blank);
}

// Hands out the text line by line, like getline: the last line needs no line end, a carriage
// return before the line feed is dropped.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
        if (position_ >= text_.size()) {
            return false;
        }
        std::size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        line = text_.substr(position_, end - position_);
        position_ = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return true;
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace

std::uint32_t parseHexField(const char* text, std::size_t length) {
    length = std::min<std::size_t>(length, 8);
    std::size_t i = 0;
    while (i < length && (text[i] == '0' || text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < length; ++i) {
        const int digit = hexDigitValue(text[i]);
        if (digit < 0) {
            break;
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

int ConvertHexToImage(const std::filesystem::path& inputPath,
                      const std::filesystem::path& outputPath, int fillMode,
                      std::uint32_t lengthOverride, const Diagnostics& diagnostics) {
    std::vector<std::uint8_t> image(kHexImageSize, 0);
    fillImage(image, fillMode);
    std::size_t imageLength = 0;

    const std::optional<Bytes> input = readFileBytes(inputPath);
    if (!input) {
        diagnostics.printf("%s open failed !\n", inputPath.string().c_str());
        return 1;
    }
    LineReader lines(std::string_view(reinterpret_cast<const char*>(input->data()), input->size()));
    std::string_view line;
    if (!lines.next(line) || line.empty() || line[0] != ':') {
        diagnostics.printf("File %s Not Intel HEX format ???\n", inputPath.string().c_str());
        return 1;
    }
    const bool scalable = fillMode == static_cast<int>(HexFillMode::Blank14BitWord) ||
                          fillMode == static_cast<int>(HexFillMode::Blank0x00);
    const std::uint32_t scale = (scalable && line.size() > 2 && line[2] == '2') ? 2 : 1;

    do {
        if (line.empty() || line[0] != ':') {
            break;
        }
        const std::uint32_t count = field(line, 1, 2);
        const std::uint32_t address = field(line, 3, 4) * scale;
        const std::uint32_t type = field(line, 7, 2);
        if (type == 1) {
            break;
        }
        if (type == 2 || type == 3) {
            continue;
        }
        if (address + count > kHexImageSize) {
            diagnostics.printf("File %s record at %X reaches past the image end\n",
                               inputPath.string().c_str(), static_cast<unsigned>(address));
            return 1;
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = 9 + 2 * static_cast<std::size_t>(i);
            image[address + i] =
                static_cast<std::uint8_t>(dataDigit(line, at) << 4 | dataDigit(line, at + 1));
            imageLength = std::max<std::size_t>(imageLength, address + i + 1);
        }
    } while (lines.next(line));

    const std::size_t length =
        lengthOverride != 0 ? std::min<std::size_t>(lengthOverride, kHexImageSize) : imageLength;
    return writeFileBytes(outputPath, std::span(image.data(), length)) ? 0 : 1;
}

}  // namespace vexlor
