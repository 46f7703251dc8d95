#include "core/writer/WriterConnection.h"

#include <array>

#include "core/writer/CommandSet.h"

namespace vexlor {

WriterTransport& WriterConnection::transport() {
    if (useLibrary_) {
        return transports_.library();
    }
    return ownPath_ != nullptr ? *ownPath_ : transports_.pipes();
}

bool WriterConnection::SelectTransport(bool afterAttach, std::string_view notifiedDeviceName) {
    AccessLibraryTransport& library = transports_.library();
    if (afterAttach) {
        library.close();
    }
    useLibrary_ =
        transports_.allows(WriterKind::AccessLibrary) && library.open() == OpenResult::Opened;
    if (useLibrary_) {
        link_.writerConnected = true;
        return true;
    }
    if (!afterAttach || transport().concerns(notifiedDeviceName)) {
        link_.writerConnected = OpenWriter();
    }
    return link_.writerConnected;
}

bool WriterConnection::OpenWriter() {
    PipeTransport& pipes = transports_.pipes();
    LibusbTransport& libusb = transports_.libusb();
    refusal_ = OpenResult::Absent;
    // Pipes still open from before are used as they are.
    if (pipes.isOpen()) {
        ownPath_ = &pipes;
        return true;
    }
    const OpenResult usb = transports_.allows(WriterKind::Usb) ? libusb.open() : OpenResult::Absent;
    if (usb == OpenResult::Opened) {
        ownPath_ = &libusb;
        return true;
    }
    const OpenResult pipe =
        transports_.allows(WriterKind::Pipe) ? pipes.open() : OpenResult::Absent;
    ownPath_ = pipe == OpenResult::Opened ? &pipes : nullptr;
    if (ownPath_ != nullptr) {
        return true;
    }
    // A writer held by another program is the better lead: new permissions would not help.
    const auto either = [&](OpenResult reason) { return usb == reason || pipe == reason; };
    refusal_ = either(OpenResult::Busy)     ? OpenResult::Busy
               : either(OpenResult::Denied) ? OpenResult::Denied
                                            : OpenResult::Absent;
    return false;
}

void WriterConnection::CloseWriter() {
    transports_.pipes().close();
    transports_.libusb().close();
    ownPath_ = nullptr;
}

bool WriterConnection::WriterRemoved(std::string_view notifiedDeviceName) {
    WriterTransport& current = transport();
    if (!current.concerns(notifiedDeviceName) || current.stillReachable()) {
        return false;
    }
    CloseLostWriter();
    return true;
}

void WriterConnection::CloseLostWriter() {
    CloseInUse();
    link_.writerConnected = false;
}

void WriterConnection::CloseInUse() {
    if (useLibrary_) {
        transports_.library().close();
    } else {
        CloseWriter();
    }
}

TransferFeedbackHooks WriterConnection::hooks() const {
    return {feedback_.progress, feedback_.paint, link_.showTransferProgress};
}

bool WriterConnection::SendCommand(std::uint8_t command, const std::uint8_t* data,
                                   std::uint32_t length) {
    return transport().send(command, data, length, hooks());
}

bool WriterConnection::ReceiveData(std::uint8_t command, std::uint8_t* buffer,
                                   std::uint32_t length) {
    return transport().receive(command, buffer, length, hooks());
}

bool WriterConnection::ReadVersionBlock(std::uint8_t command, std::uint8_t* buffer,
                                        std::uint32_t length) {
    return transport().readVersion(command, buffer, length);
}

bool WriterConnection::ReadVersionText(std::string& text) {
    std::array<std::uint8_t, kVersionTextSize> buffer{};
    ReadVersionBlock(cmd::kVersion, buffer.data(), kVersionTextSize);
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
