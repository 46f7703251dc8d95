#pragma once

#include <cstddef>
#include <cstdint>

#include "core/writer/UsbBus.h"

struct libusb_context;
struct libusb_device_handle;

namespace vexlor {

// The pieces of one bulk-OUT write as asynchronous libusb transfers, at most kQueuedPieces in
// flight, each given timeoutMs. Returns only when every transfer has completed or been
// cancelled and freed, so none outlives the handle; onDone runs outside libusb's callbacks.
void LibusbWritePieces(libusb_context* context, libusb_device_handle* handle, std::uint8_t endpoint,
                       const std::uint8_t* data, std::size_t length, std::size_t pieceSize,
                       unsigned timeoutMs, const UsbDevice::PieceDone& onDone);

}  // namespace vexlor
