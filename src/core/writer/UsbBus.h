#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/writer/WriterListing.h"

#include "core/writer/Pieces.h"

namespace vexlor {

// The slice of a USB library the writer link needs. Results follow libusb: negative is an
// error code, bulk transfers return the byte count.
inline constexpr int kUsbErrorAccess = -3;   // the user lacks permission on the device node
inline constexpr int kUsbErrorBusy = -6;     // another program has claimed the interface
inline constexpr int kUsbErrorTimeout = -7;  // the writer did not answer within the limit

// Pieces of one queued write in flight at once. A high-speed micro-frame carries 13 packets and
// the host needs up to three micro-frames to refill a slot after a completion, so 3 x 13 keep
// the bus busy; 48 (24 KiB) leaves some slack while a removal still cancels little.
inline constexpr std::size_t kQueuedPieces = 48;

class UsbDevice {
  public:
    // Told, in order, the offset each piece ended at and its transfer result.
    using PieceDone = std::function<void(std::size_t end, int result)>;

    virtual ~UsbDevice() = default;
    virtual int setConfiguration(int configuration) = 0;
    virtual int claimInterface(int interfaceNumber) = 0;
    virtual int bulkWrite(std::uint8_t endpoint, const std::uint8_t* data, int length) = 0;
    virtual int bulkRead(std::uint8_t endpoint, std::uint8_t* buffer, int length) = 0;
    // One bulk transfer per piece, in order; returns when every piece has completed or
    // failed. Devices that can keep several in flight (up to kQueuedPieces) override this.
    virtual void bulkWritePieces(std::uint8_t endpoint, const std::uint8_t* data,
                                 std::size_t length, std::size_t pieceSize,
                                 const PieceDone& onDone) {
        ForEachPiece(length, pieceSize, [&](std::size_t offset, std::size_t size) {
            onDone(offset + size, bulkWrite(endpoint, data + offset, static_cast<int>(size)));
        });
    }
    virtual std::string errorText(int code) const = 0;
};

class UsbBus {
  public:
    virtual ~UsbBus() = default;
    // The first device with this identity, in bus order, opened; nullptr when none is found.
    virtual std::unique_ptr<UsbDevice> openFirst(std::uint16_t vendorId,
                                                 std::uint16_t productId) = 0;
    // Why the last open returned nullptr although the device was there; 0 otherwise.
    virtual int lastOpenError() const { return 0; }
    // The writers on the bus, by place; a bus that cannot tell places has none to list.
    virtual std::vector<UsbWriterPlace> writerPlaces() { return {}; }
    // The writer at this bus-port path, opened; nullptr when none is there.
    virtual std::unique_ptr<UsbDevice> openAt(const std::string& /*portPath*/) { return nullptr; }
};

}  // namespace vexlor
