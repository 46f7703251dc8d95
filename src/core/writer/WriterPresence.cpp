#include "core/writer/WriterPresence.h"

#include <system_error>

#include "core/writer/WriterListing.h"

namespace vexlor {

bool UsbDeviceMayBePresent(const UsbDeviceLists& lists, std::uint16_t vendorId,
                           std::uint16_t productId) {
    std::error_code error;
    if (!std::filesystem::is_directory(lists.sysfs, error)) {
        return std::filesystem::is_directory(lists.usbfs, error);
    }
    return !SysfsUsbWriters(lists.sysfs, vendorId, productId).empty();
}

}  // namespace vexlor
