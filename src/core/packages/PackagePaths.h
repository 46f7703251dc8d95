#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vexlor {

// Names inside packages are written on systems that separate folders with a backslash; both
// separators count. Empty result: the name is a relative path that stays inside the folder it
// is taken from (no "..", no root or drive, no device name, no NUL); otherwise why not.
std::string RelativePathProblem(std::string_view name);

// The path for a name RelativePathProblem accepted, with native separators.
std::filesystem::path RelativePathOf(std::string_view name);

// Device names of the systems packages are made on ("CON", "nul.txt", "COM1" ...): writing to
// them there reaches a device, not a file.
bool IsDeviceName(std::string_view component);

}  // namespace vexlor
