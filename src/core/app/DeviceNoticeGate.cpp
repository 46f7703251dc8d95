#include "core/app/DeviceNoticeGate.h"

#include <utility>

namespace vexlor {

void DeviceNoticeGate::deliver(DeviceEvent event) {
    waiting_.push_back(std::move(event));
    if (holders_ == 0) {
        drain();
    }
}

void DeviceNoticeGate::drain() {
    Hold running(*this);
    while (!waiting_.empty()) {
        DeviceEvent next = std::move(waiting_.front());
        waiting_.pop_front();
        handler_(next);
    }
}

DeviceNoticeGate::Hold::Hold(DeviceNoticeGate& gate) : gate_(gate) {
    ++gate_.holders_;
}

DeviceNoticeGate::Hold::~Hold() {
    if (--gate_.holders_ == 0 && !gate_.waiting_.empty()) {
        gate_.drain();
    }
}

}  // namespace vexlor
