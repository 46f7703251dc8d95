#include "core/writer/WriterPresence.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>

namespace vexlor {

namespace {

bool HoldsHexId(const std::filesystem::path& file, std::uint16_t id) {
    std::ifstream in(file);
    std::string text;
    char expected[8];
    std::snprintf(expected, sizeof expected, "%04x", id);
    return in >> text && text == expected;
}

}  // namespace

bool UsbDeviceMayBePresent(const UsbDeviceLists& lists, std::uint16_t vendorId,
                           std::uint16_t productId) {
    std::error_code error;
    if (!std::filesystem::is_directory(lists.sysfs, error)) {
        return std::filesystem::is_directory(lists.usbfs, error);
    }
    for (std::filesystem::directory_iterator it(lists.sysfs, error), end; !error && it != end;
         it.increment(error)) {
        if (HoldsHexId(it->path() / "idVendor", vendorId) &&
            HoldsHexId(it->path() / "idProduct", productId)) {
            return true;
        }
    }
    return false;
}

}  // namespace vexlor
