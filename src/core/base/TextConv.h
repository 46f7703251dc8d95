#pragma once

#include <cstdint>
#include <string_view>

namespace vexlor {

// The C library's atoi rules (leading white space, optional sign, digits up to the first
// non-digit, 0 without digits), but without undefined behaviour on overflow: the value wraps
// to 32 bits.
std::int32_t atoiText(std::string_view text);

// atof rules for the voltage keys: a text without a leading number gives 0.
float atofText(std::string_view text);

}  // namespace vexlor
