#pragma once

#include <cstdint>
#include <vector>

namespace vexlor {

// Every fixed wait between writer commands goes through here, so tests run them in no time.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::uint64_t tickMs() = 0;
    virtual void busyWait(std::uint32_t ms) = 0;
};

class SteadyClock final : public Clock {
  public:
    std::uint64_t tickMs() override;
    // Sleeps instead of spinning on the tick counter: same delay, no burnt core.
    void busyWait(std::uint32_t ms) override;
};

// Time moves only when someone waits; every wait is remembered for tests to inspect.
class VirtualClock final : public Clock {
  public:
    std::uint64_t tickMs() override { return now_; }
    void busyWait(std::uint32_t ms) override {
        waits_.push_back(ms);
        now_ += ms;
    }
    void advance(std::uint64_t ms) { now_ += ms; }
    const std::vector<std::uint32_t>& waits() const { return waits_; }
    void clearWaits() { waits_.clear(); }

  private:
    std::uint64_t now_ = 0;
    std::vector<std::uint32_t> waits_;
};

}  // namespace vexlor
