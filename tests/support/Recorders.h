#pragma once

#include <string>
#include <vector>

#include "core/base/ProgressSink.h"
#include "core/writer/OperationButtons.h"

namespace vexlor::test {

// Progress calls as short words: "R0-2" for a range, "P3" for a position, "A" for almost done.
class RecordingProgress final : public ProgressSink, public PaintPump {
  public:
    void onEvent(const ProgressEvent& event) override {
        switch (event.kind) {
            case ProgressKind::Range:
                events.push_back("R" + std::to_string(event.low) + "-" +
                                 std::to_string(event.high));
                break;
            case ProgressKind::Position:
                events.push_back("P" + std::to_string(event.position));
                break;
            case ProgressKind::AlmostDone:
                events.push_back("A");
                break;
            default:
                break;
        }
    }
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
