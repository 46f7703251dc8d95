#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/select/ModeSelection.h"
#include "core/serial/SerialNumber.h"

namespace vexlor {

enum class BatchOperation { Auto, Program, ProgramVerify };

// The serial numbers of a run: count numbers from first, length bytes at address.
struct BatchSerial {
    std::uint8_t length = 0;
    std::uint32_t address = 0;
    SerialNumber first;
    SerialNumber count;

    SerialNumber last() const { return first + count - SerialNumber::Of(1); }
};

// A production run as its job file describes it. The file has one "key = value" a line; blank
// lines and lines starting with # are ignored.
struct BatchJob {
    std::string chip;
    std::filesystem::path program;  // relative paths are taken from the job file's folder
    std::string sha256;             // lower case
    BatchOperation operation = BatchOperation::Auto;
    bool protect = false;
    std::vector<ModeBox> modes;
    std::optional<std::uint64_t> limit;  // chips (Total) after which the run stops
    std::optional<BatchSerial> serial;
    // Where each key stood, for messages about its value.
    std::map<std::string, int, std::less<>> lines;
    std::filesystem::path file;

    // "JOB:LINE: " for the key's line ("JOB: " for a key not given).
    std::string where(std::string_view key) const;
};

// False with a message naming the file and line when the text is not a usable job.
bool ParseBatchJob(std::string_view text, const std::filesystem::path& file, BatchJob& job,
                   std::string& error);
bool ReadBatchJob(const std::filesystem::path& file, BatchJob& job, std::string& error);
// The program file is there and has the SHA-256 the job names.
bool CheckBatchProgram(const BatchJob& job, std::string& error);

}  // namespace vexlor
