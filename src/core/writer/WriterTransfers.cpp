#include "core/writer/CommandBlock.h"
#include "core/writer/FramedTransfer.h"
#include "core/writer/PipeChannel.h"
#include "core/writer/UsbDeviceChannel.h"
#include "core/writer/WriterConnection.h"

namespace vexlor {

namespace {

// Runs body over the channel the link currently uses.
template <typename Body>
bool OverOwnChannel(WriterLink& link, const Diagnostics& diagnostics, Body body) {
    if (link.useLibusb) {
        UsbDeviceChannel channel(*link.libusbHandle, diagnostics);
        return body(channel);
    }
    PipeChannel channel(link.readPipe, link.writePipe);
    return body(channel);
}

}  // namespace

bool WriterConnection::OwnPathReady() const {
    if (link_.useLibusb) {
        return link_.libusbHandle != nullptr;
    }
    return link_.readPipe != kInvalidPipe && link_.writePipe != kInvalidPipe;
}

bool WriterConnection::FramedOverOwnPath(const void* data, std::uint32_t length,
                                         const FramedBody& body) {
    const TransferFeedbackHooks hooks{feedback_.progress, feedback_.paint,
                                      link_.showTransferProgress};
    if (hooks.showProgress) {
        hooks.progress.setRange(0, 100);
        hooks.progress.setPosition(1);
    }
    // Missing data is refused on every path: a device must never be handed a null buffer.
    if (!OwnPathReady() || (data == nullptr && (!link_.useLibusb || length > 0))) {
        return false;
    }
    return OverOwnChannel(link_, feedback_.diagnostics,
                          [&](ByteChannel& channel) { return body(channel, hooks); });
}

bool WriterConnection::UsbSendData(const std::uint8_t* data, std::uint32_t length,
                                   std::uint8_t command) {
    return FramedOverOwnPath(data, length, [&](ByteChannel& channel, const auto& hooks) {
        return SendFramed(channel, hooks, data, length, command);
    });
}

bool WriterConnection::UsbReceiveData(std::uint8_t* buffer, std::uint32_t length,
                                      std::uint8_t command) {
    return FramedOverOwnPath(buffer, length, [&](ByteChannel& channel, const auto& hooks) {
        return ReceiveFramed(channel, hooks, buffer, length, command);
    });
}

bool WriterConnection::UsbReadVersion(std::uint8_t* buffer26) {
    if (!OwnPathReady() || buffer26 == nullptr) {
        return false;
    }
    return OverOwnChannel(link_, feedback_.diagnostics, [&](ByteChannel& channel) {
        return ReadVersionFramed(channel, buffer26);
    });
}

bool WriterConnection::SendCommand(std::uint8_t command, const std::uint8_t* data,
                                   std::uint32_t length) {
    if (link_.useAccessLibrary) {
        // The library's C interface takes a mutable pointer but only reads the data out.
        return transports_.access.sendCommand(command, const_cast<std::uint8_t*>(data), length) !=
               0;
    }
    return UsbSendData(data, length, command);
}

bool WriterConnection::ReceiveData(std::uint8_t command, std::uint8_t* buffer,
                                   std::uint32_t length) {
    if (link_.useAccessLibrary) {
        return transports_.access.receiveCommand(command, buffer, length) != 0;
    }
    return UsbReceiveData(buffer, length, command);
}

bool WriterConnection::ReadVersionBlock(std::uint8_t command, std::uint8_t* buffer,
                                        std::uint32_t length) {
    if (link_.useAccessLibrary) {
        return transports_.access.receiveCommand(command, buffer, length) != 0;
    }
    // The own path always reads the full version block; a smaller buffer cannot take it.
    return length >= kVersionTextSize && UsbReadVersion(buffer);
}

}  // namespace vexlor
