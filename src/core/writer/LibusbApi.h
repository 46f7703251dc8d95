#pragma once

#include <libusb.h>

namespace vexlor {

#define VEXLOR_LIBUSB_ENTRIES(X)       \
    X(init)                            \
    X(exit)                            \
    X(strerror)                        \
    X(get_device_list)                 \
    X(free_device_list)                \
    X(get_device_descriptor)           \
    X(get_bus_number)                  \
    X(get_device_address)              \
    X(open)                            \
    X(close)                           \
    X(set_configuration)               \
    X(claim_interface)                 \
    X(release_interface)               \
    X(bulk_transfer)                   \
    X(has_capability)                  \
    X(hotplug_register_callback)       \
    X(hotplug_deregister_callback)     \
    X(handle_events_timeout_completed) \
    X(get_port_numbers)                \
    X(alloc_transfer)                  \
    X(free_transfer)                   \
    X(submit_transfer)                 \
    X(cancel_transfer)

// The entry points of libusb-1.0, each named as the library's function without its prefix.
struct LibusbApi {
#define VEXLOR_LIBUSB_MEMBER(name) decltype(&libusb_##name) name = nullptr;
    VEXLOR_LIBUSB_ENTRIES(VEXLOR_LIBUSB_MEMBER)
#undef VEXLOR_LIBUSB_MEMBER
};

// libusb is loaded on first need, so a run that never looks for a writer loads neither it nor
// the device libraries behind it. Null when the library or one of its entries is missing.
const LibusbApi* Libusb();

}  // namespace vexlor
