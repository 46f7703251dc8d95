#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/writer/AccessLibrary.h"
#include "core/writer/UsbBus.h"

namespace vexlor {

// What the transport choice can reach: the access library (a loaded plugin or
// AbsentAccessLibrary), a USB bus, and the directory where device-file interfaces appear.
struct WriterTransports {
    AccessLibrary& access;
    UsbBus& usb;
    std::filesystem::path deviceDirectory;
};

// The device-interface directory: the environment's VEXLOR_DEVICE_DIR when set and not empty,
// else the system default.
std::filesystem::path ResolveDeviceDirectory(const char* environmentValue);

}  // namespace vexlor
