#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "sim/SimWriter.h"

namespace vexlor::sim {

// The simulated writer's set-up from text, shared by the daemon's options and the plugin's
// environment.

// "V1.0", "V1.1", "V2.0" pick the known texts; anything else is taken as the text itself.
std::string versionTextFor(std::string_view choice);

inline constexpr std::pair<std::string_view, VoltageEdge> kVoltageEdgeNames[] = {
    {"voltage-at-low", VoltageEdge::AtLow},
    {"voltage-at-high", VoltageEdge::AtHigh},
    {"voltage-below-low", VoltageEdge::BelowLow},
    {"voltage-above-high", VoltageEdge::AboveHigh}};
std::optional<VoltageEdge> voltageEdgeNamed(std::string_view name);

// One fault by name: "fail", "never-settle", "corrupt", "no-status", "voltage", a voltage edge
// (above), "remove-after=N", "fail-chip=N".
// False with a reason when the name is unknown or N is not a number.
bool applyFault(std::string_view fault, SimFaults& faults, std::string& error);
// A comma-separated list of faults.
bool applyFaultList(std::string_view list, SimFaults& faults, std::string& error);

// How much of a job file seeds the writer's option area: the option header.
inline constexpr std::size_t kSeededHeaderSize = 512;
// The job a simulated writer starts with, from a file; empty for none or an unreadable file.
std::vector<std::uint8_t> readJobSeed(const std::filesystem::path& path);

}  // namespace vexlor::sim
