#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "UsbdevfsWriter.h"
#include "sim/SimWriter.h"

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace vexlor::usbtest {

// The simulated writer on the USB bus that libusb in this process sees: sysfs, the device node
// and hot-plug events come from a umockdev testbed, the usbdevfs requests are answered by the
// simulator. Needs the process to run under umockdev-wrapper; the testbed lives as long as this
// object, and no libusb context may outlive it.
class EmulatedUsbWriter {
  public:
    // The writer starts unplugged.
    explicit EmulatedUsbWriter(sim::SimWriter& writer);
    ~EmulatedUsbWriter();
    EmulatedUsbWriter(const EmulatedUsbWriter&) = delete;
    EmulatedUsbWriter& operator=(const EmulatedUsbWriter&) = delete;

    // Arrival: the device appears in sysfs and /dev, with an "add" event.
    void plugIn();
    // Removal: a "remove" event, then sysfs and the node disappear. Open handles stay open and
    // their requests fail as on a real bus.
    void unplug();
    bool pluggedIn() const { return pluggedIn_; }
    UsbdevfsWriter& kernel() { return kernel_; }

  private:
    sim::SimWriter& writer_;
    UMockdevTestbed* testbed_;
    UsbdevfsWriter kernel_;
    std::mutex mutex_;  // a writer that vanishes unplugs itself from umockdev's worker thread
    std::atomic<bool> pluggedIn_{false};
};

}  // namespace vexlor::usbtest
