#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
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

// The program's writer link and command set, talking to a simulated writer in this process
// through the in-process USB bus or the access library, or to whatever serves the device
// directory (the pipe daemon).
class SimRig {
  public:
    enum class Reach { Usb, AccessLibrary, DeviceDirectory };

    // A plugin's library, when given, takes the place of the in-process one.
    SimRig(SimWriter& device, Reach reach, std::filesystem::path deviceDirectory = {},
           AccessLibrary* plugin = nullptr);

    // Opens the writer as the program does at start; the version is taken as known.
    bool connect();

    vexlor::test::ScratchDir base;
    vexlor::test::RecordingOperator op;
    vexlor::test::KeyCatalogue catalogue;
    vexlor::test::RecordingButtons buttons;
    VirtualClock clock;
    NullProgress progress;
    std::vector<std::string> diagnosticLines;
    Diagnostics diagnostics;
    SimWriter absent;  // the bus and library of the reaches not chosen find no writer here
    SimUsbBus usb;
    SimAccessLibrary access;
    WriterLink link;
    WriterConnection connection;
    Writer writer;
};

// Names the reach in test output.
inline void PrintTo(SimRig::Reach reach, std::ostream* out) {
    *out << (reach == SimRig::Reach::Usb             ? "own path"
             : reach == SimRig::Reach::AccessLibrary ? "access library"
                                                     : "device directory");
}

}  // namespace vexlor::sim::test
