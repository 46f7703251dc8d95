#include "sim/SimTransports.h"

#include <span>
#include <vector>

#include "core/writer/Pieces.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor::sim {

int SimUsbDevice::setConfiguration(int configuration) {
    if (!writer_.attached()) {
        return kUsbErrorNoDevice;
    }
    return configuration == kWriterConfiguration ? 0 : kUsbErrorInvalidParam;
}

int SimUsbDevice::claimInterface(int interfaceNumber) {
    if (!writer_.attached()) {
        return kUsbErrorNoDevice;
    }
    return interfaceNumber == kWriterInterface ? 0 : kUsbErrorInvalidParam;
}

int SimUsbDevice::moveOut(std::uint8_t endpoint, const std::uint8_t* data, int length) {
    if (endpoint != kWriterBulkOut || data == nullptr || length < 0) {
        return kUsbErrorInvalidParam;
    }
    if (!endpoint_.hostWrite(std::span(data, static_cast<std::size_t>(length)))) {
        return kUsbErrorNoDevice;
    }
    return length;
}

int SimUsbDevice::bulkWrite(std::uint8_t endpoint, const std::uint8_t* data, int length) {
    const int result = moveOut(endpoint, data, length);
    if (timing_ != nullptr && result >= 0) {
        timing_->bus.transfer(static_cast<std::size_t>(result));
    }
    return result;
}

void SimUsbDevice::bulkWritePieces(std::uint8_t endpoint, const std::uint8_t* data,
                                   std::size_t length, std::size_t pieceSize,
                                   const PieceDone& onDone) {
    std::vector<std::size_t> sizes;
    ForEachPiece(length, pieceSize, [&](std::size_t, std::size_t size) { sizes.push_back(size); });
    if (timing_ != nullptr) {
        timing_->bus.transfer(sizes, timing_->queueDepth);
    }
    ForEachPiece(length, pieceSize, [&](std::size_t offset, std::size_t size) {
        onDone(offset + size, moveOut(endpoint, data + offset, static_cast<int>(size)));
    });
}

int SimUsbDevice::bulkRead(std::uint8_t endpoint, std::uint8_t* buffer, int length) {
    if (endpoint != kWriterBulkIn || buffer == nullptr || length < 0) {
        return kUsbErrorInvalidParam;
    }
    const std::size_t n = endpoint_.hostRead(std::span(buffer, static_cast<std::size_t>(length)));
    if (!writer_.attached()) {
        return kUsbErrorNoDevice;
    }
    if (n == 0 && length > 0) {
        return kUsbErrorTimeout;
    }
    if (timing_ != nullptr) {
        timing_->bus.transfer(n);
    }
    return static_cast<int>(n);
}

std::string SimUsbDevice::errorText(int code) const {
    switch (code) {
        case kUsbErrorNoDevice:
            return "No such device (it may have been disconnected)";
        case kUsbErrorTimeout:
            return "Operation timed out";
        case kUsbErrorInvalidParam:
            return "Invalid parameter";
        default:
            return "Other error";
    }
}

std::unique_ptr<UsbDevice> SimUsbBus::openFirst(std::uint16_t vendorId, std::uint16_t productId) {
    const bool found =
        writer_.attached() && vendorId == kWriterVendorId && productId == kWriterProductId;
    lastOpenError_ = found && writer_.accessDenied() ? kUsbErrorAccess : 0;
    if (!found || lastOpenError_ != 0) {
        return nullptr;
    }
    return std::make_unique<SimUsbDevice>(writer_, timing_);
}

std::vector<UsbWriterPlace> SimUsbBus::writerPlaces() {
    if (!writer_.attached()) {
        return {};
    }
    return {{kSimUsbPortPath, ""}};
}

std::unique_ptr<UsbDevice> SimUsbBus::openAt(const std::string& portPath) {
    return portPath == kSimUsbPortPath ? openFirst(kWriterVendorId, kWriterProductId) : nullptr;
}

std::int32_t SimAccessLibrary::open(std::uint32_t, std::uint32_t, std::uint32_t) {
    open_ = writer_.attached();
    return open_ ? 0 : 1;
}

std::int32_t SimAccessLibrary::sendCommand(std::uint8_t command, std::uint8_t* data,
                                           std::uint32_t length) {
    if (!open_ || (data == nullptr && length > 0) || !writer_.passBytes(length)) {
        return 0;
    }
    return writer_.commandOut(SimTransport::AccessLibrary, command,
                              std::span<const std::uint8_t>(data, length))
               ? 1
               : 0;
}

std::int32_t SimAccessLibrary::receiveCommand(std::uint8_t command, std::uint8_t* buffer,
                                              std::uint32_t length) {
    if (!open_ || (buffer == nullptr && length > 0) || !writer_.passBytes(length)) {
        return 0;
    }
    return writer_.commandIn(SimTransport::AccessLibrary, command,
                             std::span<std::uint8_t>(buffer, length))
               ? 1
               : 0;
}

}  // namespace vexlor::sim
