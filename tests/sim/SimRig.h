#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/base/Clock.h"
#include "core/base/ProgressSink.h"
#include "core/writer/Writer.h"
#include "sim/SimTransports.h"
#include "sim/SimWriter.h"
#include "support/KeyCatalogue.h"
#include "support/Recorders.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::sim::test {

// A writer that does not answer over the pipes within this is taken as gone.
inline constexpr int kPipeWaitLimitMs = 1000;

// A device notice about the writer's interface.
inline constexpr const char* kWriterNotice = "sim/usb#3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3";

// The program's writer link and command set talking to a simulated writer: through the
// in-process USB bus, through the access library, or to whatever serves the device directory
// (the pipe daemon).
class SimRig {
  public:
    enum class Reach { Usb, AccessLibrary, DeviceDirectory };

    // A plugin's library, when given, takes the place of the in-process one.
    explicit SimRig(SimWriter& device, Reach reach = Reach::Usb,
                    std::filesystem::path deviceDirectory = {}, AccessLibrary* plugin = nullptr);

    // Opens the writer as the program does at start; the version is taken as known.
    bool connect();
    // The writer's transcript since the last call, one word per command: "14>04 17" for data
    // out (hex bytes, or "#n" for more than eight), "13<512" for n bytes in; "!" marks a
    // refused command.
    std::vector<std::string> exchanges();

    vexlor::test::ScratchDir base;
    vexlor::test::RecordingOperator op;
    vexlor::test::KeyCatalogue catalogue;
    vexlor::test::RecordingButtons buttons;
    VirtualClock clock;
    vexlor::test::RecordingProgress progress;
    std::vector<std::string> diagnosticLines;
    Diagnostics diagnostics;
    SimWriter& device;
    SimWriter absent;  // the bus and library of the reaches not chosen find no writer here
    SimUsbBus usb;
    SimAccessLibrary access;
    WriterLink link;
    WriterTransports transports;
    WriterConnection connection;
    Writer writer;
};

}  // namespace vexlor::sim::test
