#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeWriterDevice.h"
#include "core/base/Clock.h"
#include "core/base/MessageCatalogue.h"
#include "core/writer/Writer.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

// Progress calls as short words: "R0-2" for a range, "P3" for a position, "A" for almost done.
class RecordingProgress final : public ProgressSink, public PaintPump {
  public:
    void setRange(int low, int high) override {
        events.push_back("R" + std::to_string(low) + "-" + std::to_string(high));
    }
    void setPosition(int position) override { events.push_back("P" + std::to_string(position)); }
    void almostDone() override { events.push_back("A"); }
    void pumpPaint() override { ++paints; }

    std::vector<std::string> events;
    int paints = 0;
};

class KeyCatalogue final : public MessageCatalogue {
  public:
    std::string text(std::string_view key) const override { return "<" + std::string(key) + ">"; }
};

class RecordingButtons final : public OperationButtons {
  public:
    void disableOperationButtons() override { calls.push_back("disable"); }
    void enableOperationButtons() override { calls.push_back("enable"); }
    std::vector<std::string> calls;
};

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
