#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/base/Diagnostics.h"
#include "core/base/ProgressSink.h"
#include "core/writer/WriterLink.h"
#include "core/writer/WriterTransports.h"

namespace vexlor {

class ByteChannel;
struct TransferFeedbackHooks;

// Where transfers report: the main window's progress protocol, its paint pump, and the
// diagnostic lines of the transport.
struct TransferFeedback {
    ProgressSink& progress;
    PaintPump& paint;
    const Diagnostics& diagnostics;
};

// Icon resources of the connection pane.
enum class ConnectionIcon { Connected = 137, NotConnected = 138 };

struct ConnectionStatus {
    ConnectionIcon icon;
    std::string text;
};

// Finding, opening and closing the writer, and the framed transfers of the own USB path.
class WriterConnection {
  public:
    static constexpr std::uint32_t kAccessOpenArgument = 0x5A5B;
    static constexpr std::uint32_t kAccessTimeout = 5;
    static constexpr std::size_t kVersionTextLength = 21;

    WriterConnection(WriterLink& link, WriterTransports transports, TransferFeedback feedback)
        : link_(link), transports_(std::move(transports)), feedback_(feedback) {}

    WriterLink& link() { return link_; }
    AccessLibrary& access() { return transports_.access; }
    ProgressSink& progress() { return feedback_.progress; }
    PaintPump& paint() { return feedback_.paint; }
    const Diagnostics& diagnostics() { return feedback_.diagnostics; }

    // At start (afterAttach false) and on every arrival notification; returns writerConnected.
    bool SelectTransport(bool afterAttach, std::string_view notifiedDeviceName = {});
    // A removal notification: true when the writer is gone (link closed, writerConnected 0),
    // false when the notice is not about the writer or the access library still reaches it.
    bool WriterRemoved(std::string_view notifiedDeviceName);
    // End of the run: the library's close when it is in use, else CloseWriter.
    void CloseAtExit();

    bool OpenWriter();
    void CloseWriter();
    // Fills link().deviceName with the first openable interface of the writer's class below the
    // device directory.
    bool GetUsbDeviceFileName();
    // Returns an open descriptor or kInvalidPipe.
    int OpenWriterPipe(std::string_view pipeName);
    bool LibusbOpenWriter();
    void LibusbCloseWriter();

    bool UsbSendData(const std::uint8_t* data, std::uint32_t length, std::uint8_t command);
    bool UsbReceiveData(std::uint8_t* buffer, std::uint32_t length, std::uint8_t command);
    bool UsbReadVersion(std::uint8_t* buffer26);

    // Command dispatch: the access library when it opened the writer, else the own path.
    bool SendCommand(std::uint8_t command, const std::uint8_t* data, std::uint32_t length);
    bool ReceiveData(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length);
    bool ReadVersionBlock(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length);

    // The version cut to its first 21 characters; true when it begins with "U".
    bool ReadVersionText(std::string& text);
    // Pane 1 of the status bar: version text and the connected icon, or "USB was not connected".
    ConnectionStatus ShowConnectionStatus();

  private:
    using FramedBody = std::function<bool(ByteChannel&, const TransferFeedbackHooks&)>;

    bool OwnPathReady() const;
    // The checks and progress start shared by both framed transfers, then body on the channel.
    bool FramedOverOwnPath(const void* data, std::uint32_t length, const FramedBody& body);
    void ClosePipes();
    void DiscardUnreadAnswers();

    WriterLink& link_;
    WriterTransports transports_;
    TransferFeedback feedback_;
};

}  // namespace vexlor
