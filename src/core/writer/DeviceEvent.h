#pragma once

#include <string>

namespace vexlor {

// A writer interface that appeared or went away. deviceName carries the interface's class GUID
// text when it belongs to the writer, so receivers can ignore other devices.
struct DeviceEvent {
    enum Kind { Arrival, Removal };
    Kind kind;
    std::string deviceName;

    bool operator==(const DeviceEvent&) const = default;
};

}  // namespace vexlor
