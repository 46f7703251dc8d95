#include "core/writer/WriterLink.h"

#include <algorithm>

namespace vexlor {

std::string VersionString(const std::array<std::uint8_t, kVersionTextSize>& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

}  // namespace vexlor
