#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/convert/BufferFiles.h"
#include "core/convert/ConversionJob.h"
#include "core/convert/OptionBuffer.h"
#include "core/convert/ProgramChecksum.h"

namespace vexlor {

// The steps every family converter shares: checksum from 0xFFFF, the serial block, the buffer
// files, the per-chip template, and the common fields written at the end.
class FamilySession {
  public:
    static constexpr std::size_t kWholeTemplate = std::numeric_limits<std::size_t>::max();

    // usesSerialNumbers: the family copies the serial block when Display Serial Number is on.
    FamilySession(const ConversionJob& job, ConversionOutput& out, bool usesSerialNumbers,
                  std::size_t templateBytes = kWholeTemplate);

    // Runs the opening steps; returns kConvertOk or the failure code (already shown).
    int begin();

    // Reads the program file as a raw image; nullopt after "open file error" with the reason
    // when it cannot be read, is shorter than minimumLength, is Intel HEX text or is longer
    // than maximumLength, the most the converter reads.
    std::optional<Bytes> readProgram(std::size_t minimumLength, std::size_t maximumLength);
    // Reads a file the converter made from the program file; it becomes the description text.
    std::optional<Bytes> readConvertedFile(const std::filesystem::path& path);
    // Converts the HEX program file into its image file in the work directory, which becomes
    // the description; readLimit is the most the converter reads. nullopt after the failure was
    // shown (code in lastCode()).
    std::optional<Bytes> convertHex(int fillMode, std::uint32_t lengthOverride,
                                    std::size_t readLimit);
    // A side file of this conversion in the work directory (see sideFilePath).
    std::filesystem::path sideFile(std::string_view suffix) const;

    // Shows "<program file> open file error" with the reason and returns code.
    int failOpen(int code, std::string_view reason);
    // Shows text and returns code.
    int fail(int code, const std::string& text);
    int lastCode() const { return lastCode_; }

    // Writes the checksum, production fields, serial bytes, time and writer model, then both
    // files.
    int finish(std::span<const std::uint8_t> data);

    const ConversionJob& job() const { return job_; }
    ConversionResult& result() { return out_.result; }
    std::optional<Bytes>& serialBlock() { return serialBlock_; }
    const Bytes& templateBytes() const { return template_; }
    std::filesystem::path templatePath() const;

    ProgramChecksum checksum{0xFFFF};
    OptionBuffer option;

  private:
    const ConversionJob& job_;
    ConversionOutput& out_;
    bool usesSerialNumbers_;
    std::size_t templateLimit_;
    Bytes template_;
    std::optional<Bytes> serialBlock_;
    std::filesystem::path sourceFile_;
    int lastCode_ = kConvertOk;
};

// Feeds and appends words of image[from, from + 2 * count).
// Straight: written b0, b1, fed b0 * 256 + b1. Swapped: written b1, b0, fed b1 * 256 + b0.
void copyWordsStraight(const Bytes& image, std::size_t from, std::size_t count, Bytes& data,
                       ProgramChecksum& checksum);
void copyWordsSwapped(const Bytes& image, std::size_t from, std::size_t count, Bytes& data,
                      ProgramChecksum& checksum);

}  // namespace vexlor
