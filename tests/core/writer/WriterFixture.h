#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeWriterDevice.h"
#include "core/base/Clock.h"
#include "core/writer/Writer.h"
#include "support/KeyCatalogue.h"
#include "support/Recorders.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

// A writer connection and command set over the fake device, reached through the fake libusb
// bus (own path) or the fake access library.
class WriterFixture : public ::testing::Test {
  public:
    enum class Path { Own, Library };

  protected:
    WriterFixture()
        : bus(&device),
          access(device),
          diagnostics([this](std::string_view line) { lines.emplace_back(line); }),
          connection(link, WriterTransports{access, bus, scratch / "devices"},
                     TransferFeedback{progress, progress, diagnostics}),
          writer(connection, WriterHost{op, catalogue, buttons, clock, scratch.path()}) {}

    void connect(Path path) {
        access.openResult = path == Path::Library ? 0 : 1;
        ASSERT_TRUE(connection.SelectTransport(false));
        ASSERT_EQ(link.useAccessLibrary, path == Path::Library);
        link.knownWriterVersion = true;
        device.transcript.clear();
        lines.clear();
    }

    // Commands only, for order checks.
    std::vector<std::uint8_t> commandsSeen() const {
        std::vector<std::uint8_t> codes;
        for (const auto& seen : device.transcript) {
            codes.push_back(seen.command);
        }
        return codes;
    }

    ScratchDir scratch;
    FakeWriterDevice device;
    FakeUsbBus bus;
    FakeAccessLibrary access;
    RecordingProgress progress;
    std::vector<std::string> lines;
    Diagnostics diagnostics;
    WriterLink link;
    WriterConnection connection;
    RecordingOperator op;
    KeyCatalogue catalogue;
    RecordingButtons buttons;
    VirtualClock clock;
    Writer writer;
};

inline SeenCommand Out(std::uint8_t command, std::vector<std::uint8_t> payload) {
    return {command, std::move(payload), 0};
}
inline SeenCommand In(std::uint8_t command, std::uint32_t length) {
    return {command, {}, length};
}

}  // namespace vexlor::test
