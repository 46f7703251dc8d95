#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexlor {

// What a long operation reports, as one stream: the main window's progress protocol (range
// 0x402, position 0x401 where 0 hides the bar, almost done 0x403) plus where each operation starts
// and how it ends, the bytes a transfer has moved, the writer address it works at, and messages for
// the person watching.
enum class ProgressKind { Stage, Range, Position, AlmostDone, Bytes, Address, Result, Message };

struct ProgressEvent {
    ProgressKind kind = ProgressKind::Message;
    std::string stage{};        // Stage, Result: the operation ("Program", "Download" ...)
    int low = 0;                // Range
    int high = 0;               // Range
    int position = 0;           // Position: 0 hides the bar
    std::uint64_t done = 0;     // Bytes
    std::uint64_t total = 0;    // Bytes
    std::uint32_t address = 0;  // Address
    bool ok = false;            // Result
    std::string message{};      // Result, Message
};

// Where the events of long operations go. The protocol calls are the ones the operations
// make; each becomes one event, so every listener sees the same stream.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void onEvent(const ProgressEvent& event) = 0;

    void setRange(int low, int high) {
        onEvent({.kind = ProgressKind::Range, .low = low, .high = high});
    }
    void setPosition(int position) {
        onEvent({.kind = ProgressKind::Position, .position = position});
    }
    void almostDone() { onEvent({.kind = ProgressKind::AlmostDone}); }
    void beginStage(std::string_view stage) {
        onEvent({.kind = ProgressKind::Stage, .stage = std::string(stage)});
    }
    void transferred(std::uint64_t done, std::uint64_t total) {
        onEvent({.kind = ProgressKind::Bytes, .done = done, .total = total});
    }
    void atAddress(std::uint32_t address) {
        onEvent({.kind = ProgressKind::Address, .address = address});
    }
    void result(std::string_view stage, bool ok, std::string_view message = {}) {
        onEvent({.kind = ProgressKind::Result,
                 .stage = std::string(stage),
                 .ok = ok,
                 .message = std::string(message)});
    }
    void note(std::string_view message) {
        onEvent({.kind = ProgressKind::Message, .message = std::string(message)});
    }
};

// Lets the window repaint while a transfer blocks the user-interface thread, without taking
// any input.
class PaintPump {
  public:
    virtual ~PaintPump() = default;
    virtual void pumpPaint() = 0;
};

class NullProgress final : public ProgressSink, public PaintPump {
  public:
    void onEvent(const ProgressEvent&) override {}
    void pumpPaint() override {}
};

}  // namespace vexlor
