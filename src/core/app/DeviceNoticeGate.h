#pragma once

#include <cstddef>
#include <deque>
#include <functional>

#include "core/writer/DeviceEvent.h"

namespace vexlor {

// Keeps device arrivals and removals out of running writer operations: a removal handled in the
// middle of a transfer would close the transport the transfer is using. While anything holds the
// gate, notices wait in the order they came and run as soon as the last holder lets go. A notice
// being handled holds the gate too, so one arriving during its message boxes waits its turn.
class DeviceNoticeGate {
  public:
    using Handler = std::function<void(const DeviceEvent&)>;

    explicit DeviceNoticeGate(Handler handler) : handler_(std::move(handler)) {}
    DeviceNoticeGate(const DeviceNoticeGate&) = delete;
    DeviceNoticeGate& operator=(const DeviceNoticeGate&) = delete;

    // Handles the notice now when the gate is free, else keeps it for later.
    void deliver(DeviceEvent event);
    bool held() const { return holders_ > 0; }
    std::size_t waiting() const { return waiting_.size(); }

    // Held for the life of the object: around every operation that talks to the writer.
    class Hold {
      public:
        explicit Hold(DeviceNoticeGate& gate);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        DeviceNoticeGate& gate_;
    };

  private:
    void drain();

    Handler handler_;
    int holders_ = 0;
    std::deque<DeviceEvent> waiting_;
};

}  // namespace vexlor
