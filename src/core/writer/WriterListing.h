#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/writer/WriterIdentity.h"

namespace vexlor {

enum class WriterKind { Usb, Pipe, AccessLibrary };

// One writer on the USB bus: its bus-port path as the kernel names it ("1-4.2") and its USB
// serial number, empty when it reports none.
struct UsbWriterPlace {
    std::string portPath;
    std::string serial;
};

// What can be found attached, before any of it is opened.
struct WriterSources {
    std::vector<UsbWriterPlace> usb;
    std::vector<std::string> pipeInterfaces;  // directory names below the device directory
    bool accessLibraryWriter = false;         // the access library opened a writer
};

// One attached writer. The ID stays the same while the writer stays where it is, so scripts
// can name it: "usb-serial:<serial>", "usb:<bus-port path>", "pipe:<interface>", "library".
struct WriterListing {
    std::string id;
    WriterKind kind;
    // Where the transport finds it: the bus-port path or the interface directory name.
    std::string place;
    std::string description;
};

inline constexpr std::string_view kLibraryWriterId = "library";

std::string_view KindName(WriterKind kind);

// Every writer of the sources, USB first, each with a distinct ID.
std::vector<WriterListing> ListWriters(const WriterSources& sources);

// The writer the ID names; a USB writer with a serial number answers to its port ID as well.
const WriterListing* FindWriter(std::span<const WriterListing> writers, std::string_view id);

// The IDs for a message, comma-separated; "none" for an empty list.
std::string WriterIdList(std::span<const WriterListing> writers);

// Writers on the own paths: the access library reaches one of these itself.
std::size_t CountOwnPathWriters(std::span<const WriterListing> writers);

// Interface directories of the writer's class that carry both pipes, by name.
std::vector<std::string> PipeInterfaceNames(const std::filesystem::path& deviceDirectory);

// USB devices of a vendor and product (the writer's unless told) in a sysfs device directory
// (normally /sys/bus/usb/devices), by bus-port path. Reading sysfs needs neither libusb nor
// permission on the device.
std::vector<UsbWriterPlace> SysfsUsbWriters(const std::filesystem::path& sysfsDevices,
                                            std::uint16_t vendorId = kWriterVendorId,
                                            std::uint16_t productId = kWriterProductId);

}  // namespace vexlor
