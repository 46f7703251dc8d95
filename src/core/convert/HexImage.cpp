#include "core/convert/HexImage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "core/base/HexDigit.h"
#include "core/convert/ByteFiles.h"

namespace vexlor {
namespace {

enum RecordType : std::uint8_t {
    kData = 0,
    kEndOfFile = 1,
    kSegmentBase = 2,
    kSegmentStart = 3,
    kLinearBase = 4,
    kLinearStart = 5,
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimTrailingBlanks(std::string_view line) {
    while (!line.empty() && isBlank(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

// The image before any record is stored. Filled once: bytes past the blank part stay 0.
Bytes blankImage(int fillMode) {
    Bytes image;
    image.reserve(kHexImageSize);
    if (fillMode == static_cast<int>(HexFillMode::Blank14BitWord)) {
        image.resize(65538);
        for (std::size_t address = 0; address < image.size(); ++address) {
            image[address] = (address % 2 == 0) ? 0xFF : 0x3F;
        }
    } else {
        image.assign(65537, fillMode == static_cast<int>(HexFillMode::Blank0x00) ? 0x00 : 0xFF);
    }
    image.resize(kHexImageSize);
    return image;
}

// One record line decoded to bytes: count, address (2), type, data, checksum. Held in place:
// a full image has thousands of records, and an allocation each showed in the profile.
struct Record {
    static constexpr std::size_t kMaxBytes = 5 + 255;
    std::array<std::uint8_t, kMaxBytes> bytes;
    std::size_t size = 0;
    unsigned sum = 0;  // of every byte, the checksum's included

    std::uint8_t count() const { return bytes[0]; }
    std::uint32_t address() const { return static_cast<std::uint32_t>(bytes[1] << 8 | bytes[2]); }
    std::uint8_t type() const { return bytes[3]; }
    std::uint8_t data(std::size_t i) const { return bytes[4 + i]; }
    std::uint32_t dataWord() const { return static_cast<std::uint32_t>(data(0) << 8 | data(1)); }
    std::uint8_t checksumGiven() const { return bytes[size - 1]; }
    bool addsUp() const { return (sum & 0xFF) == 0; }
    std::uint8_t checksumOwed() const {
        return static_cast<std::uint8_t>(0x100 - ((sum - checksumGiven()) & 0xFF));
    }
};

// Sixteen digits at once into eight bytes, their sum added to sum; false when any of them is
// not a hex digit, and the bytes are then meaningless. Written with the compiler's vector
// types, which map onto the platform's SIMD registers.
bool decodeSixteenDigits(const char* text, std::uint8_t* out, unsigned& sum) {
    using Chars = std::uint8_t __attribute__((vector_size(16)));
    using Lanes = std::uint16_t __attribute__((vector_size(16)));
    using Bytes = std::uint8_t __attribute__((vector_size(8)));
    static_assert(std::endian::native == std::endian::little,
                  "a 16-bit lane must hold a pair's first digit in its low byte");
    Chars c;
    std::memcpy(&c, text, sizeof c);
    const Chars lower = c | 0x20;
    const auto letter = reinterpret_cast<Chars>((lower >= 'a') & (lower <= 'f'));
    const auto valid = reinterpret_cast<Chars>((c >= '0') & (c <= '9')) | letter;
    const Lanes pairs = reinterpret_cast<Lanes>((c & 0x0F) + (letter & 9));
    const auto bytes = __builtin_convertvector(((pairs << 4) | (pairs >> 8)) & 0xFF, Bytes);
    std::memcpy(out, &bytes, sizeof bytes);
    std::uint64_t word = 0;
    std::memcpy(&word, &bytes, sizeof word);
    constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FFull;
    const std::uint64_t sums = (word & kEvenBytes) + ((word >> 8) & kEvenBytes);
    sum += static_cast<unsigned>((sums * 0x0001000100010001ull) >> 48);
    std::uint64_t halves[2];
    std::memcpy(halves, &valid, sizeof halves);
    return (halves[0] & halves[1]) == ~std::uint64_t{0};
}

// The common case, a record of pairs of valid digits, decoded without a branch per digit.
// False leaves the fault to be named by the careful decoder below.
bool decodeWellFormedDigits(std::string_view line, Record& record) {
    const std::size_t digits = line.size() - 1;
    const std::size_t pairs = digits / 2;
    if (digits % 2 != 0 || pairs > Record::kMaxBytes) {
        return false;
    }
    const char* text = line.data() + 1;
    bool valid = true;
    unsigned sum = 0;
    std::size_t i = 0;
    for (; i + 8 <= pairs; i += 8) {
        const bool blockValid = decodeSixteenDigits(text + 2 * i, record.bytes.data() + i, sum);
        valid = valid && blockValid;
    }
    // The last few pairs one by one: a wrong digit only turns the combined value negative.
    int faults = 0;
    for (; i < pairs; ++i) {
        const int high = HexDigitValue(text[2 * i]);
        const int low = HexDigitValue(text[2 * i + 1]);
        faults |= high | low;
        const auto byte = static_cast<std::uint8_t>(high << 4 | low);
        record.bytes[i] = byte;
        sum += byte;
    }
    record.size = pairs;
    record.sum = sum;
    return valid && faults >= 0;
}

// Decodes the digits one by one into record (as many bytes as fit); the number of digit pairs,
// or nullopt with the reason when a character is wrong or a digit is left over.
std::optional<std::size_t> decodeDigitsCarefully(std::string_view line, Record& record,
                                                 std::string& reason) {
    std::size_t digitPairs = 0;
    record.sum = 0;
    for (std::size_t i = 1; i < line.size(); i += 2) {
        const int high = HexDigitValue(line[i]);
        const int low = i + 1 < line.size() ? HexDigitValue(line[i + 1]) : 0;
        const std::size_t bad = high < 0 ? i : i + 1;
        if (high < 0 || low < 0) {
            reason = format("character '%c' at column %zu is not a hex digit", line[bad], bad + 1);
            return std::nullopt;
        }
        if (i + 1 >= line.size()) {
            reason = "the record has an odd number of hex digits";
            return std::nullopt;
        }
        // Digits past the longest record still get their check, so the first fault is named.
        if (digitPairs < Record::kMaxBytes) {
            record.bytes[digitPairs] = static_cast<std::uint8_t>(high << 4 | low);
            record.sum += record.bytes[digitPairs];
        }
        ++digitPairs;
    }
    record.size = std::min(digitPairs, Record::kMaxBytes);
    return digitPairs;
}

// Decodes ":" and pairs of hex digits into record; the reason when a character or the length
// is wrong.
bool decodeRecord(std::string_view line, Record& record, std::string& reason) {
    std::size_t digitPairs = 0;
    if (decodeWellFormedDigits(line, record)) {
        digitPairs = record.size;
    } else if (const std::optional<std::size_t> pairs =
                   decodeDigitsCarefully(line, record, reason)) {
        digitPairs = *pairs;
    } else {
        return false;
    }
    if (digitPairs < 5 || digitPairs != 5u + record.bytes[0]) {
        reason = "the record's length does not match its byte count";
        return false;
    }
    return true;
}

// The byte count each non-data record type must carry.
bool countFitsType(const Record& record) {
    switch (record.type()) {
        case kData:
            return true;
        case kEndOfFile:
            return record.count() == 0;
        case kSegmentBase:
        case kLinearBase:
            return record.count() == 2;
        case kSegmentStart:
        case kLinearStart:
            return record.count() == 4;
        default:
            return false;
    }
}

class HexReader {
  public:
    explicit HexReader(const HexImageRules& rules)
        : rules_(rules),
          image_(blankImage(rules.fillMode)),
          limit_(std::min(rules.readLimit, kHexImageSize)) {}

    // Reads the next piece of the text; lines may run on into the next piece. False with
    // reason_ set when the text is refused; true once the end-of-file record is read, after
    // which the rest of the file is not read.
    bool feed(std::string_view piece) {
        while (!piece.empty() && !ended_) {
            const std::size_t end = piece.find('\n');
            if (end == std::string_view::npos) {
                partLine_.append(piece);
                return true;
            }
            std::string_view line = piece.substr(0, end);
            piece.remove_prefix(end + 1);
            if (!partLine_.empty()) {
                line = partLine_.append(line);
            }
            const bool read = readLine(line);
            partLine_.clear();
            if (!read) {
                return false;
            }
        }
        return true;
    }

    // After the last piece: false with reason_ set when the text as a whole is refused.
    bool finish() {
        if (!ended_ && !partLine_.empty() && !readLine(partLine_)) {
            return false;
        }
        if (records_ == 0) {
            reason_ = "it is not in Intel HEX format";
            return false;
        }
        if (!ended_) {
            noteDamage("the file ends without an end-of-file record; it may be cut off");
        }
        return damage_.empty() || rules_.acceptDamaged;
    }
    bool ended() const { return ended_; }

    std::string reason() const { return reason_.empty() ? damage_ : reason_; }
    bool damagedOnly() const { return reason_.empty() && !damage_.empty(); }

    // The image cut to its length; the reader is done with it then.
    Bytes takeOutput() {
        const std::size_t length = rules_.lengthOverride != 0
                                       ? std::min<std::size_t>(rules_.lengthOverride, kHexImageSize)
                                       : length_;
        image_.resize(length);
        return std::move(image_);
    }

  private:
    bool readLine(std::string_view text) {
        const std::string_view line = trimTrailingBlanks(text);
        ++lineNumber_;
        if (line.empty()) {
            return true;
        }
        if (line[0] != ':') {
            reason_ = records_ == 0
                          ? std::string("it is not in Intel HEX format")
                          : format("line %zu: the line is not an Intel HEX record", lineNumber_);
            return false;
        }
        return readRecord(line, lineNumber_);
    }

    bool readRecord(std::string_view line, std::size_t lineNumber) {
        std::string why;
        const bool decoded = decodeRecord(line, record_, why);
        const Record* record = decoded ? &record_ : nullptr;
        if (!record || !countFitsType(*record)) {
            if (record) {
                why = format(
                    "record type %02X with byte count %u is not a record this reader "
                    "knows",
                    record->type(), record->count());
            }
            reason_ = format("line %zu: %s", lineNumber, why.c_str());
            return false;
        }
        if (records_++ == 0) {
            // Word-addressed files are recognised by the count of their first record.
            const bool scalable =
                rules_.fillMode == static_cast<int>(HexFillMode::Blank14BitWord) ||
                rules_.fillMode == static_cast<int>(HexFillMode::Blank0x00);
            scale_ = scalable && line.size() > 2 && line[2] == '2' ? 2 : 1;
        }
        if (!record->addsUp()) {
            noteDamage(format("line %zu: the record checksum is %02X, its bytes add up to %02X",
                              lineNumber, record->checksumGiven(), record->checksumOwed()));
        }
        switch (record->type()) {
            case kEndOfFile:
                ended_ = true;
                return true;
            case kSegmentBase:
                base_ = record->dataWord() << 4;
                return true;
            case kLinearBase:
                base_ = record->dataWord() << 16;
                return true;
            case kData:
                return storeData(*record, lineNumber);
            default:
                return true;  // start addresses mean nothing to a writer
        }
    }

    bool storeData(const Record& record, std::size_t lineNumber) {
        const std::uint64_t address =
            (static_cast<std::uint64_t>(base_) + record.address()) * scale_;
        if (record.count() == 0) {
            return true;
        }
        if (address + record.count() > limit_) {
            const std::uint64_t outside = std::max<std::uint64_t>(address, limit_);
            reason_ = format(
                "line %zu: data at address %llX is outside the %zu bytes (0-%zX) "
                "this chip takes",
                lineNumber, static_cast<unsigned long long>(outside), limit_, limit_ - 1);
            return false;
        }
        std::copy_n(record.bytes.begin() + 4, record.count(),
                    image_.begin() + static_cast<std::ptrdiff_t>(address));
        length_ = std::max<std::size_t>(length_, address + record.count());
        return true;
    }

    void noteDamage(std::string why) {
        if (damage_.empty()) {
            damage_ = std::move(why);
        }
    }

    const HexImageRules& rules_;
    Record record_;  // the record being read, reused line after line
    std::vector<std::uint8_t> image_;
    std::size_t limit_;
    std::size_t length_ = 0;
    std::size_t records_ = 0;
    std::size_t lineNumber_ = 0;
    std::string partLine_;  // the start of a line the previous piece cut off
    std::uint32_t scale_ = 1;
    std::uint32_t base_ = 0;
    bool ended_ = false;
    std::string reason_;  // first fault that cannot be accepted
    std::string damage_;  // first checksum or end-of-file fault
};

HexImageOutcome refuse(const std::filesystem::path& inputPath, std::string reason, bool damagedOnly,
                       const Diagnostics& diagnostics) {
    diagnostics.printf("File %s: %s\n", inputPath.string().c_str(), reason.c_str());
    return {1, std::move(reason), damagedOnly, {}};
}

}  // namespace

HexImageOutcome ConvertHexToImage(const std::filesystem::path& inputPath,
                                  const std::filesystem::path& outputPath,
                                  const HexImageRules& rules, const Diagnostics& diagnostics) {
    HexReader reader(rules);
    bool refused = false;
    const bool readable = readFilePieces(inputPath, [&](std::span<const std::uint8_t> piece) {
        refused = !reader.feed({reinterpret_cast<const char*>(piece.data()), piece.size()});
        return !refused && !reader.ended();
    });
    if (!readable) {
        const std::string note = sizeLimitNote(inputPath);
        return refuse(inputPath, note.empty() ? "The file cannot be opened." : note, false,
                      diagnostics);
    }
    if (refused || !reader.finish()) {
        return refuse(inputPath, reader.reason(), reader.damagedOnly(), diagnostics);
    }
    HexImageOutcome outcome;
    outcome.image = reader.takeOutput();
    if (!writeFileBytes(outputPath, outcome.image)) {
        return refuse(inputPath, "the image file " + outputPath.string() + " cannot be written",
                      false, diagnostics);
    }
    return outcome;
}

}  // namespace vexlor
