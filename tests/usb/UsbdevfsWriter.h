#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "sim/SimEndpoint.h"
#include "sim/SimWriter.h"

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;
typedef struct _UMockdevIoctlData UMockdevIoctlData;
struct usbdevfs_urb;

namespace vexlor::usbtest {

// What the kernel does to one URB: the nth submitted on the endpoint with exactly this buffer
// length, counted from when the fault is set. Each fault strikes once.
struct UrbFault {
    enum class Kind {
        Status,        // completes at once with status value (a negative errno), moving nothing
        Hold,          // the writer never takes or gives it: only a discard ends it
        RefuseSubmit,  // its submit fails with errno value
        Short,         // an IN URB gets at most value bytes; the rest waits for the next one
        FailReap,      // the first reap after its submit fails with errno value
    };
    Kind kind;
    unsigned char endpoint;
    int length;
    int nth;
    int value = 0;
};

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

    // Set only while no request is in flight.
    void inject(const UrbFault& fault) {
        fault_ = fault;
        matches_ = 0;
        gaveUp_ = false;
        submittedAfterGivingUp_ = 0;
    }
    // Submitted and not yet reaped.
    std::size_t urbsQueued() const;
    // URBs submitted, since the fault was set, after a discard ended one the writer had not
    // finished: once the host has given up on a silent writer, each is a wait more.
    std::size_t submittedAfterGivingUp() const { return submittedAfterGivingUp_; }

  private:
    struct Urb;

    void handle(UMockdevIoctlClient* client);
    // The request's errno, 0 for success.
    int answerRequest(UMockdevIoctlClient* client);
    // Requests whose argument points at one number: success when it is the expected one.
    int expectNumber(UMockdevIoctlClient* client, unsigned expected, int otherwise);
    int setConfiguration(UMockdevIoctlClient* client);
    int submit(UMockdevIoctlClient* client);
    int discard(UMockdevIoctlClient* client);
    int reap(UMockdevIoctlClient* client);
    // The fault, when this URB is the one it strikes.
    std::optional<UrbFault> strikes(const usbdevfs_urb& fields);
    // Moves data for queued URBs until none can progress.
    void serve();
    bool serveOne(Urb& urb);

    sim::SimWriter& writer_;
    sim::SimEndpoint endpoint_;
    std::function<void()> onVanished_;
    UMockdevIoctlBase* handler_;
    std::vector<Urb> urbs_;
    bool vanishReported_ = false;
    std::optional<UrbFault> fault_;
    int matches_ = 0;
    int failingReap_ = 0;
    bool gaveUp_ = false;
    std::size_t submittedAfterGivingUp_ = 0;
};

}  // namespace vexlor::usbtest
