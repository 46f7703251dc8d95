#include "core/select/PackageCode.h"

namespace vexlor {

std::string DerivePackageCode(std::int32_t chipListSelector, std::string_view packageName) {
    if (chipListSelector != 2) {
        return "0";
    }
    const std::string_view tail =
        packageName.size() < 2 ? packageName : packageName.substr(packageName.size() - 2);
    if (tail.size() == 2 && tail.front() == ' ') {
        return std::string(tail.substr(1));
    }
    return std::string(tail);
}

}  // namespace vexlor
