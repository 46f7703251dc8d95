#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/convert/ConversionJob.h"
#include "core/convert/InsideNumberDispatch.h"
#include "support/ChipRecord.h"
#include "support/HexText.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

// Writes bytes into a vector at an offset, growing it when needed.
inline void place(Bytes& bytes, std::size_t offset, std::initializer_list<std::uint8_t> values) {
    bytes.resize(std::max(bytes.size(), offset + values.size()), 0);
    std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

inline Bytes slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

inline std::uint8_t Hi(std::uint16_t word) {
    return static_cast<std::uint8_t>(word >> 8);
}
inline std::uint8_t Lo(std::uint16_t word) {
    return static_cast<std::uint8_t>(word);
}

inline void placeText(Bytes& bytes, std::size_t offset, const std::string& text) {
    bytes.resize(std::max(bytes.size(), offset + text.size()), 0);
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

// 2026-12-06 (a Sunday) 11:05:09.291, stored low byte first at 0xC0.
inline LocalTime fixedTime() {
    return LocalTime{2026, 12, 0, 6, 11, 5, 9, 0x123};
}

inline void placeFixedTime(Bytes& option) {
    place(option, 0xC0,
          {0xEA, 0x07, 0x0C, 0x00, 0x00, 0x00, 0x06, 0x00, 0x0B, 0x00, 0x05, 0x00, 0x09, 0x00, 0x23,
           0x01});
}

// What every family converter writes over its template: the checksum, no production mode,
// the conversion time and the writer model.
inline Bytes withCommonFields(Bytes option, std::uint16_t checksum, std::uint8_t model = 0x5B) {
    place(option, 0x10, {Hi(checksum), Lo(checksum)});
    place(option, 0x4E, {0x00});
    placeFixedTime(option);
    place(option, 0xCF, {model});
    return option;
}

// A converter run against a scratch base directory with a recording operator.
struct ConvertBench {
    ScratchDir dir;
    RecordingOperator op;
    std::string diagnostics;
    Diagnostics diag{[this](std::string_view text) { diagnostics += text; }};
    ConversionResult result;
    ConversionOutput out{op, diag, result};
    ICInfo ic;  // the chip of familyJob

    ConversionJob job(const ICInfo& chip, const std::filesystem::path& program) const {
        ConversionJob j(chip);
        j.baseDirectory = dir.path();
        j.programFile = program;
        j.time = fixedTime();
        return j;
    }
    // A job for a chip of the family converters, known by its name and internal number.
    ConversionJob familyJob(const std::string& chip, std::uint32_t insideNumber,
                            const std::filesystem::path& program) {
        ic = chipRecord(chip, insideNumber);
        return job(ic, program);
    }
    int convert(const ConversionJob& j) {
        return ConvertByInsideNumber(j.ic.Inside_Number, j, out);
    }
    Bytes option() const { return readBytes(dir / "buffer_option.prog"); }
    Bytes data() const { return readBytes(dir / "buffer_data.prog"); }
    Texts messages() const { return op.texts(); }
};

// A 256-byte template of 0xEE so that untouched fields stand out, in hwversion1.0.
inline Bytes writeTemplate(const ScratchDir& dir, const std::string& chip,
                           std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes = {}) {
    Bytes prototype(256, 0xEE);
    for (const auto& [offset, value] : bytes) {
        prototype[offset] = value;
    }
    dir.writeBytes("hwversion1.0/" + chip + ".txt", prototype);
    return prototype;
}

}  // namespace vexlor::test
