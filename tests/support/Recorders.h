#pragma once

#include <string>
#include <vector>

#include "core/base/ProgressSink.h"
#include "core/writer/OperationButtons.h"

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

class RecordingButtons final : public OperationButtons {
  public:
    void disableOperationButtons() override { calls.push_back("disable"); }
    void enableOperationButtons() override { calls.push_back("enable"); }
    std::vector<std::string> calls;
};

}  // namespace vexlor::test
