#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexlor {

// The option-code text handed to conversion. Only the second catalogue carries packages; its
// package names end in the code, either two characters or a blank and one character.
std::string DerivePackageCode(std::int32_t chipListSelector, std::string_view packageName);

}  // namespace vexlor
