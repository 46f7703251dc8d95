#include "sim/SimSettings.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace vexlor::sim {

std::string versionTextFor(std::string_view choice) {
    if (choice == "V1.0") {
        return std::string(kVersionV10);
    }
    if (choice == "V1.1") {
        return std::string(kVersionV11);
    }
    if (choice == "V2.0") {
        return std::string(kVersionV20);
    }
    return std::string(choice.substr(0, kVersionLength));
}

namespace {

// The number after prefix in a fault such as "remove-after=N".
bool countAfter(std::string_view fault, std::string_view prefix, std::size_t& count,
                std::string& error) {
    const auto number = fault.substr(prefix.size());
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), count);
    if (number.empty() || ec != std::errc() || end != number.data() + number.size()) {
        error = "bad count in fault \"" + std::string(fault) + "\"";
        return false;
    }
    return true;
}

}  // namespace

std::optional<VoltageEdge> voltageEdgeNamed(std::string_view name) {
    for (const auto& [edgeName, edge] : kVoltageEdgeNames) {
        if (name == edgeName) {
            return edge;
        }
    }
    return std::nullopt;
}

bool applyFault(std::string_view fault, SimFaults& faults, std::string& error) {
    constexpr std::string_view kRemoveAfter = "remove-after=";
    constexpr std::string_view kFailChip = "fail-chip=";
    if (fault == "fail") {
        faults.jobFails = true;
    } else if (fault == "never-settle") {
        faults.jobNeverSettles = true;
    } else if (fault == "corrupt") {
        faults.corruptReadBack = true;
    } else if (fault == "no-status") {
        faults.statusWithheld = true;
    } else if (fault == "voltage") {
        faults.voltagesOutOfRange = true;
    } else if (const auto edge = voltageEdgeNamed(fault)) {
        faults.voltageEdge = edge;
    } else if (fault.starts_with(kRemoveAfter)) {
        std::size_t bytes = 0;
        if (!countAfter(fault, kRemoveAfter, bytes, error)) {
            return false;
        }
        faults.removeAfterBytes = bytes;
    } else if (fault.starts_with(kFailChip)) {
        std::size_t job = 0;
        if (!countAfter(fault, kFailChip, job, error) || job == 0) {
            error = "bad chip number in fault \"" + std::string(fault) + "\" (1 = the first)";
            return false;
        }
        faults.failChipJob = job;
    } else {
        error =
            "unknown fault \"" + std::string(fault) +
            "\" (fail, never-settle, corrupt, no-status, voltage, voltage-at-low, voltage-at-high, "
            "voltage-below-low, voltage-above-high, remove-after=N, fail-chip=N)";
        return false;
    }
    return true;
}

bool applyFaultList(std::string_view list, SimFaults& faults, std::string& error) {
    while (!list.empty()) {
        const auto comma = list.find(',');
        const auto item = list.substr(0, comma);
        if (!item.empty() && !applyFault(item, faults, error)) {
            return false;
        }
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
    }
    return true;
}

std::vector<std::uint8_t> readJobSeed(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    if (path.empty()) {
        return bytes;
    }
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), {});
    if (bytes.size() > kSeededHeaderSize) {
        bytes.resize(kSeededHeaderSize);
    }
    return bytes;
}

}  // namespace vexlor::sim
