#pragma once

#include <filesystem>
#include <functional>

#include "core/maint/MaintServices.h"

namespace vexlor {

inline constexpr const char* kUserManualFile = "UM-KLW20_21_300_300A_SV220.pdf";

// Hands the manual in the base directory to the desktop's viewer (open), or tells the operator
// it is missing and starts nothing.
MaintOutcome OnUserManual(Operator& op, const std::filesystem::path& baseDirectory,
                          const std::function<void(const std::filesystem::path&)>& open);

}  // namespace vexlor
