#pragma once

#include <string>
#include <string_view>

#include "sim/SimWriter.h"

namespace vexlor::sim {

// The simulated writer's set-up from text, shared by the daemon's options and the plugin's
// environment.

// "V1.0", "V1.1", "V2.0" pick the known texts; anything else is taken as the text itself.
std::string versionTextFor(std::string_view choice);

// One fault by name: "fail", "never-settle", "corrupt", "voltage", "remove-after=N", "fail-chip=N".
// False with a reason when the name is unknown or N is not a number.
bool applyFault(std::string_view fault, SimFaults& faults, std::string& error);
// A comma-separated list of faults.
bool applyFaultList(std::string_view list, SimFaults& faults, std::string& error);

}  // namespace vexlor::sim
