#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/Diagnostics.h"
#include "core/base/ProgressSink.h"
#include "core/writer/WriterLink.h"
#include "core/writer/WriterTransports.h"

namespace vexlor {

// Where transfers report: the main window's progress protocol, its paint pump, and the
// diagnostic lines of the writer link.
struct TransferFeedback {
    ProgressSink& progress;
    PaintPump& paint;
    const Diagnostics& diagnostics;
};

// Icon resources of the connection pane: the plugged-in writer and the crossed-out one.
enum class ConnectionIcon { Connected = 137, NotConnected = 138 };

struct ConnectionStatus {
    ConnectionIcon icon;
    std::string text;
};

// Chooses the way to the writer, keeps it open, and carries every command over it.
class WriterConnection {
  public:
    static constexpr std::size_t kVersionTextLength = 21;

    WriterConnection(WriterLink& link, WriterTransports& transports, TransferFeedback feedback)
        : link_(link), transports_(transports), feedback_(feedback) {}

    WriterLink& link() { return link_; }
    ProgressSink& progress() { return feedback_.progress; }
    PaintPump& paint() { return feedback_.paint; }
    const Diagnostics& diagnostics() { return feedback_.diagnostics; }
    // The way commands go now: the access library when it opened the writer, else the own
    // path that opened (a closed one when none did).
    WriterTransport& transport();
    bool usesAccessLibrary() const { return useLibrary_; }
    // The last open found no free writer, but one held by another program.
    bool writerBusy() const { return refusal_ == OpenResult::Busy; }
    // The last open found a writer this user has no permission to open.
    bool writerDenied() const { return refusal_ == OpenResult::Denied; }

    // At start (afterAttach false) and on every arrival notification; returns writerConnected.
    bool SelectTransport(bool afterAttach, std::string_view notifiedDeviceName = {});
    // A removal notification: true when the writer is gone (link closed, writerConnected 0),
    // false when the notice is not about the writer or the access library still reaches it.
    bool WriterRemoved(std::string_view notifiedDeviceName);
    // A writer that stopped answering: the link is closed and writerConnected is 0.
    void CloseLostWriter();
    // End of the run: the library's close when it is in use, else the own path's.
    void CloseAtExit() { CloseInUse(); }

    bool SendCommand(std::uint8_t command, const std::uint8_t* data, std::uint32_t length);
    bool ReceiveData(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length);
    bool ReadVersionBlock(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length);

    // The version cut to its first 21 characters; true when it begins with "U".
    bool ReadVersionText(std::string& text);
    // Pane 1 of the status bar: version text and the connected icon, or "USB was not connected".
    ConnectionStatus ShowConnectionStatus();

  private:
    bool OpenWriter();
    void CloseWriter();
    void CloseInUse();
    TransferFeedbackHooks hooks() const;

    WriterLink& link_;
    WriterTransports& transports_;
    TransferFeedback feedback_;
    bool useLibrary_ = false;
    WriterTransport* ownPath_ = nullptr;       // the own transport that opened last
    OpenResult refusal_ = OpenResult::Absent;  // why the last open of the own paths failed
};

}  // namespace vexlor
