#include "core/production/BatchJob.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/base/HexDigit.h"
#include "core/base/Sha256.h"

namespace vexlor {

namespace {

constexpr std::string_view kSerialKeys[] = {"serial.length", "serial.address", "serial.first",
                                            "serial.count"};
constexpr std::string_view kKeys[] = {
    "chip",  "program",       "sha256",         "operation",    "protect",     "modes",
    "limit", "serial.length", "serial.address", "serial.first", "serial.count"};

constexpr std::pair<std::string_view, ModeBox> kModeWords[] = {
    {"isp", ModeBox::IspProgram},
    {"exhv-isp", ModeBox::ExHvIspProgram},
    {"whole-chip-erase", ModeBox::WholeChipErase},
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<std::uint64_t> positiveDecimal(std::string_view text) {
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value > 0 ? std::optional(value) : std::nullopt;
}

bool isHex(std::string_view text) {
    for (char c : text) {
        if (HexDigitValue(c) < 0) {
            return false;
        }
    }
    return !text.empty();
}

// One value into the job; the reason (without the place) when it cannot be used.
std::optional<std::string> takeValue(std::string_view key, std::string_view value, BatchJob& job,
                                     std::map<std::string, std::string, std::less<>>& serial) {
    if (key == "chip") {
        job.chip = value;
    } else if (key == "program") {
        job.program = std::filesystem::path(std::string(value));
        if (job.program.is_relative()) {
            job.program = job.file.parent_path() / job.program;
        }
    } else if (key == "sha256") {
        if (value.size() != 64 || !isHex(value)) {
            return "sha256 needs 64 hexadecimal digits";
        }
        for (char c : value) {
            job.sha256 += static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
        }
    } else if (key == "operation") {
        if (value == "auto") {
            job.operation = BatchOperation::Auto;
        } else if (value == "program") {
            job.operation = BatchOperation::Program;
        } else if (value == "program+verify") {
            job.operation = BatchOperation::ProgramVerify;
        } else {
            return "operation is auto, program or program+verify";
        }
    } else if (key == "protect") {
        if (value != "on" && value != "off") {
            return "protect is on or off";
        }
        job.protect = value == "on";
    } else if (key == "modes") {
        std::istringstream words{std::string(value)};
        for (std::string word; words >> word;) {
            const auto* found = std::find_if(std::begin(kModeWords), std::end(kModeWords),
                                             [&](const auto& mode) { return mode.first == word; });
            if (found == std::end(kModeWords)) {
                return "unknown mode " + word + " (isp, exhv-isp, whole-chip-erase)";
            }
            job.modes.push_back(found->second);
        }
    } else if (key == "limit") {
        job.limit = positiveDecimal(value);
        if (!job.limit) {
            return "limit needs a number of chips >= 1";
        }
    } else {
        serial[std::string(key)] = value;
    }
    return std::nullopt;
}

std::optional<std::string> takeSerial(const std::map<std::string, std::string, std::less<>>& given,
                                      BatchJob& job, std::string& key) {
    BatchSerial serial;
    key = "serial.length";
    const auto length = positiveDecimal(given.at(key));
    if (!length || *length > 16) {
        return "serial.length is 1 to 16 bytes";
    }
    serial.length = static_cast<std::uint8_t>(*length);
    key = "serial.address";
    const std::string& address = given.at(key);
    if (!isHex(address) || address.size() > 8) {
        return "serial.address needs a hexadecimal address";
    }
    serial.address = static_cast<std::uint32_t>(std::stoul(address, nullptr, 16));
    key = "serial.count";
    const auto count = positiveDecimal(given.at(key));
    if (!count) {
        return "serial.count needs a number of chips >= 1";
    }
    serial.count = SerialNumber::Of(*count);
    key = "serial.first";
    const auto first = isHex(given.at(key)) ? SerialNumber::FromHex(given.at(key)) : std::nullopt;
    if (!first) {
        return "serial.first needs a hexadecimal number";
    }
    serial.first = *first;
    if (serial.last().ToHex().size() > 2u * serial.length || serial.last() < serial.first) {
        return "the last number " + serial.last().ToHex() + " does not fit in " +
               std::to_string(serial.length) + " byte(s)";
    }
    job.serial = serial;
    return std::nullopt;
}

}  // namespace

std::string BatchJob::where(std::string_view key) const {
    const auto line = lines.find(key);
    return file.string() + (line == lines.end() ? "" : ":" + std::to_string(line->second)) + ": ";
}

bool ParseBatchJob(std::string_view text, const std::filesystem::path& file, BatchJob& job,
                   std::string& error) {
    job = BatchJob{};
    job.file = file;
    std::map<std::string, std::string, std::less<>> serial;
    std::istringstream lines{std::string(text)};
    int number = 0;
    for (std::string raw; std::getline(lines, raw);) {
        ++number;
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto equals = line.find('=');
        const std::string prefix = file.string() + ":" + std::to_string(number) + ": ";
        if (equals == std::string_view::npos) {
            error = prefix + "expected key = value";
            return false;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (std::find(std::begin(kKeys), std::end(kKeys), key) == std::end(kKeys)) {
            error = prefix + "unknown key " + std::string(key);
            return false;
        }
        if (!job.lines.emplace(key, number).second) {
            error = prefix + std::string(key) + " is given twice";
            return false;
        }
        if (value.empty()) {
            error = prefix + std::string(key) + " has no value";
            return false;
        }
        if (auto why = takeValue(key, value, job, serial)) {
            error = prefix + *why;
            return false;
        }
    }
    for (const char* required : {"chip", "program", "sha256"}) {
        if (!job.lines.contains(required)) {
            error = job.where(required) + "no " + required + " given";
            return false;
        }
    }
    if (!serial.empty()) {
        for (std::string_view key : kSerialKeys) {
            if (!serial.contains(key)) {
                error = job.where(key) + "serial numbers need " + std::string(key) + " as well";
                return false;
            }
        }
        std::string key;
        if (auto why = takeSerial(serial, job, key)) {
            error = job.where(key) + *why;
            return false;
        }
        // The writer writes each number as it programs the chip: that is its Program job.
        if (job.lines.contains("operation") && job.operation != BatchOperation::Program) {
            error = job.where("operation") + "serial numbers go with operation = program";
            return false;
        }
        job.operation = BatchOperation::Program;
    }
    return true;
}

bool ReadBatchJob(const std::filesystem::path& file, BatchJob& job, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "can't read the job file " + file.string();
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseBatchJob(text.str(), file, job, error);
}

bool CheckBatchProgram(const BatchJob& job, std::string& error) {
    const std::optional<std::string> actual = Sha256OfFile(job.program);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(job.program, ec) || !actual) {
        error = job.where("program") + "can't read the program file " + job.program.string();
        return false;
    }
    if (*actual != job.sha256) {
        error = job.where("sha256") + job.program.string() + " has SHA-256 " + *actual +
                ", not the one the job names";
        return false;
    }
    return true;
}

}  // namespace vexlor
