#include "core/writer/WriterConnection.h"

#include <unistd.h>

#include <array>
#include <cstdlib>

#include "core/writer/WriterIdentity.h"

namespace vexlor {

std::filesystem::path ResolveDeviceDirectory(const char* environmentValue) {
    if (environmentValue != nullptr && *environmentValue != '\0') {
        return environmentValue;
    }
    return std::filesystem::path(kDefaultDeviceDirectory);
}

namespace {
bool NamesWriter(std::string_view deviceName) {
    return deviceName.find(kWriterClassGuidText) != std::string_view::npos;
}
}  // namespace

bool WriterConnection::SelectTransport(bool afterAttach, std::string_view notifiedDeviceName) {
    AccessLibrary& access = transports_.access;
    if (afterAttach) {
        access.close();
    }
    if (access.open(kAccessOpenArgument, 0, 0) == 0) {
        link_.useAccessLibrary = true;
        link_.writerConnected = true;
        access.setTimeout(kAccessTimeout);
        return true;
    }
    link_.useAccessLibrary = false;
    if (!afterAttach || NamesWriter(notifiedDeviceName)) {
        link_.writerConnected = OpenWriter();
    }
    return link_.writerConnected;
}

bool WriterConnection::WriterRemoved(std::string_view notifiedDeviceName) {
    if (link_.useAccessLibrary) {
        AccessLibrary& access = transports_.access;
        if (access.open(kAccessOpenArgument, 0, 0) == 0) {
            return false;
        }
        access.close();
    } else {
        if (!NamesWriter(notifiedDeviceName)) {
            return false;
        }
        CloseWriter();
    }
    link_.writerConnected = false;
    return true;
}

void WriterConnection::CloseAtExit() {
    if (link_.useAccessLibrary) {
        transports_.access.close();
    } else {
        CloseWriter();
    }
}

bool WriterConnection::OpenWriter() {
    if (link_.readPipe != kInvalidPipe && link_.writePipe != kInvalidPipe) {
        return true;
    }
    if (LibusbOpenWriter()) {
        return true;
    }
    // Half an open pair is of no use: start both afresh, and keep neither when one fails.
    ClosePipes();
    link_.readPipe = OpenWriterPipe("PIPE00");
    link_.writePipe = OpenWriterPipe("PIPE01");
    if (link_.readPipe == kInvalidPipe || link_.writePipe == kInvalidPipe) {
        ClosePipes();
        return false;
    }
    DiscardUnreadAnswers();
    return true;
}

void WriterConnection::DiscardUnreadAnswers() {
    // Answers a previous connection asked for and never read would otherwise be taken as the
    // answers to this connection's first commands.
    std::array<std::uint8_t, 512> sink;
    while (::read(link_.readPipe, sink.data(), sink.size()) > 0) {
    }
}

void WriterConnection::ClosePipes() {
    for (int* pipe : {&link_.readPipe, &link_.writePipe}) {
        if (*pipe != kInvalidPipe) {
            ::close(*pipe);
            *pipe = kInvalidPipe;
        }
    }
}

void WriterConnection::CloseWriter() {
    ClosePipes();
    LibusbCloseWriter();
}

bool WriterConnection::LibusbOpenWriter() {
    const Diagnostics& diag = feedback_.diagnostics;
    // A handle left from before a missed removal may be stale: start from a fresh one.
    LibusbCloseWriter();
    std::unique_ptr<UsbDevice> device =
        transports_.usb.openFirst(kWriterVendorId, kWriterProductId);
    if (!device) {
        return false;
    }
    link_.libusbHandle = std::move(device);
    link_.useLibusb = true;
    UsbDevice& handle = *link_.libusbHandle;
    const int configured = handle.setConfiguration(kWriterConfiguration);
    if (configured < 0) {
        diag.printf("error setting config #%d: %s\n", kWriterConfiguration,
                    handle.errorText(configured).c_str());
        LibusbCloseWriter();
        return false;
    }
    diag.printf("success: set configuration #%d\n", kWriterConfiguration);
    const int claimed = handle.claimInterface(kWriterInterface);
    if (claimed < 0) {
        diag.printf("error claiming interface #%d:\n%s\n", kWriterInterface,
                    handle.errorText(claimed).c_str());
        LibusbCloseWriter();
        return false;
    }
    diag.printf("success: claim_interface #%d\n", kWriterInterface);
    return true;
}

void WriterConnection::LibusbCloseWriter() {
    link_.libusbHandle.reset();
    link_.useLibusb = false;
}

bool WriterConnection::ReadVersionText(std::string& text) {
    std::array<std::uint8_t, kVersionTextSize> buffer{};
    if (link_.useAccessLibrary) {
        transports_.access.receiveCommand(0x04, buffer.data(), kVersionTextSize);
    } else {
        UsbReadVersion(buffer.data());
    }
    text = VersionString(buffer).substr(0, kVersionTextLength);
    return !text.empty() && text.front() == 'U';
}

ConnectionStatus WriterConnection::ShowConnectionStatus() {
    std::string text;
    ReadVersionText(text);
    if (link_.writerConnected) {
        return {ConnectionIcon::Connected, text};
    }
    return {ConnectionIcon::NotConnected, "USB was not connected"};
}

}  // namespace vexlor
