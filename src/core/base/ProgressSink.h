#pragma once

namespace vexlor {

// The main window's progress protocol: range (0x402), position (0x401, 0 hides the bar) and
// almost done (0x403).
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void setRange(int low, int high) = 0;
    virtual void setPosition(int position) = 0;
    virtual void almostDone() = 0;
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
    void setRange(int, int) override {}
    void setPosition(int) override {}
    void almostDone() override {}
    void pumpPaint() override {}
};

}  // namespace vexlor
