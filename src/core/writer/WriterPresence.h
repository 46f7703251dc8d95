#pragma once

#include <cstdint>
#include <filesystem>

namespace vexlor {

// Where the kernel lists USB devices, and where libusb looks when sysfs is not mounted.
struct UsbDeviceLists {
    std::filesystem::path sysfs = "/sys/bus/usb/devices";
    std::filesystem::path usbfs = "/dev/bus/usb";
};

// Whether a device of this vendor and product may be on the bus, found without starting
// libusb (whose start-up costs a thread and a bus walk). Without a sysfs list only libusb can
// tell, so a usbfs directory alone counts as maybe.
bool UsbDeviceMayBePresent(const UsbDeviceLists& lists, std::uint16_t vendorId,
                           std::uint16_t productId);

}  // namespace vexlor
