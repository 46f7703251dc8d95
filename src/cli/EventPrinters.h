#pragma once

#include <cstdint>
#include <ostream>

#include "core/base/Clock.h"
#include "core/base/ProgressSink.h"

namespace vexlor::cli {

// --json: every event as one JSON line, timed from the printer's start on the run's clock.
class JsonEventPrinter final : public ProgressSink {
  public:
    JsonEventPrinter(std::ostream& out, Clock& clock)
        : out_(out), clock_(clock), startMs_(clock.tickMs()) {}
    void onEvent(const ProgressEvent& event) override;

  private:
    std::ostream& out_;
    Clock& clock_;
    std::uint64_t startMs_;
};

// One line redrawn in place while an operation runs, ended when the operation reports its
// result (or, outside one, when the bar is hidden) and before a message is printed.
class TerminalProgressBar final : public ProgressSink {
  public:
    TerminalProgressBar(std::ostream& out, Clock& clock) : out_(out), clock_(clock) {}
    void onEvent(const ProgressEvent& event) override;

  private:
    void start();
    void draw();
    void endLine();

    std::ostream& out_;
    Clock& clock_;
    int low_ = 0;
    int high_ = 100;
    int position_ = 0;
    bool started_ = false;
    bool inStage_ = false;
    bool drawn_ = false;
    std::uint64_t startMs_ = 0;
    // An operation moves its bytes in several transfers, each counting from 0 again.
    std::uint64_t earlierBytes_ = 0;
    std::uint64_t transferBytes_ = 0;
};

}  // namespace vexlor::cli
