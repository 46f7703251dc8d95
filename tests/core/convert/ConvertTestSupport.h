#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "core/convert/ConversionJob.h"
#include "support/HexText.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

using Bytes = std::vector<std::uint8_t>;

// Writes bytes into a vector at an offset, growing it when needed.
inline void place(Bytes& bytes, std::size_t offset, std::initializer_list<std::uint8_t> values) {
    if (bytes.size() < offset + values.size()) {
        bytes.resize(offset + values.size(), 0);
    }
    std::size_t at = offset;
    for (std::uint8_t value : values) {
        bytes[at++] = value;
    }
}

inline std::uint8_t Hi(std::uint16_t word) {
    return static_cast<std::uint8_t>(word >> 8);
}
inline std::uint8_t Lo(std::uint16_t word) {
    return static_cast<std::uint8_t>(word);
}

inline void placeText(Bytes& bytes, std::size_t offset, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        place(bytes, offset + i, {static_cast<std::uint8_t>(text[i])});
    }
}

// 2026-12-06 (a Sunday) 11:05:09.291, stored low byte first at 0xC0.
inline LocalTime fixedTime() {
    LocalTime time;
    time.year = 2026;
    time.month = 12;
    time.dayOfWeek = 0;
    time.day = 6;
    time.hour = 11;
    time.minute = 5;
    time.second = 9;
    time.millisecond = 0x123;
    return time;
}

inline void placeFixedTime(Bytes& option) {
    place(option, 0xC0,
          {0xEA, 0x07, 0x0C, 0x00, 0x00, 0x00, 0x06, 0x00, 0x0B, 0x00, 0x05, 0x00, 0x09, 0x00, 0x23,
           0x01});
}

// A converter run against a scratch base directory with a recording operator.
struct ConvertBench {
    ScratchDir dir;
    RecordingOperator op;
    std::string diagnostics;
    Diagnostics diag{[this](std::string_view text) { diagnostics += text; }};
    ConversionResult result;
    ConversionOutput out{op, diag, result};

    ConversionJob job(const ICInfo& ic, const std::filesystem::path& program) const {
        ConversionJob j(ic);
        j.baseDirectory = dir.path();
        j.programFile = program;
        j.time = fixedTime();
        return j;
    }
    Bytes option() const { return readBytes(dir / "buffer_option.prog"); }
    Bytes data() const { return readBytes(dir / "buffer_data.prog"); }
    std::vector<std::string> messages() const { return op.texts(); }
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
