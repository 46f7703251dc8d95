#pragma once

#include <functional>
#include <vector>

#include "sim/SimEndpoint.h"
#include "sim/SimWriter.h"

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;
typedef struct _UMockdevIoctlData UMockdevIoctlData;

namespace vexlor::usbtest {

// The kernel's side of the writer's device node: answers the usbdevfs requests libusb makes and
// moves the bulk data of its URBs through the simulated writer's endpoint, so the bytes on the
// emulated bus are those the simulator takes and gives on every other path. Requests arrive on
// umockdev's worker thread, one at a time, while the host thread waits in its ioctl.
class UsbdevfsWriter {
  public:
    // onVanished runs once, on the worker thread, when the writer disappears mid-transfer.
    UsbdevfsWriter(sim::SimWriter& writer, std::function<void()> onVanished);
    ~UsbdevfsWriter();
    UsbdevfsWriter(const UsbdevfsWriter&) = delete;
    UsbdevfsWriter& operator=(const UsbdevfsWriter&) = delete;

    // The handler to attach to the device node.
    UMockdevIoctlBase* handler() const { return handler_; }

  private:
    struct Urb;

    void handle(UMockdevIoctlClient* client);
    // The request's errno, 0 for success.
    int answerRequest(UMockdevIoctlClient* client);
    // Requests whose argument points at one number: success when it is the expected one.
    int expectNumber(UMockdevIoctlClient* client, unsigned expected, int otherwise);
    int submit(UMockdevIoctlClient* client);
    int discard(UMockdevIoctlClient* client);
    int reap(UMockdevIoctlClient* client);
    // Moves data for queued URBs until none can progress.
    void serve();
    bool serveOne(Urb& urb);

    sim::SimWriter& writer_;
    sim::SimEndpoint endpoint_;
    std::function<void()> onVanished_;
    UMockdevIoctlBase* handler_;
    std::vector<Urb> urbs_;
    bool vanishReported_ = false;
};

}  // namespace vexlor::usbtest
