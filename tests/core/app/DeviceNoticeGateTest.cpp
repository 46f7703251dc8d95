#include "core/app/DeviceNoticeGate.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vexlor {
namespace {

DeviceEvent removal(std::string name) {
    return {DeviceEvent::Removal, std::move(name)};
}

DeviceEvent arrival(std::string name) {
    return {DeviceEvent::Arrival, std::move(name)};
}

struct Recorder {
    std::vector<DeviceEvent> handled;
    DeviceNoticeGate gate{[this](const DeviceEvent& event) { handled.push_back(event); }};
};

TEST(DeviceNoticeGate, NoticesWaitForARunningOperationInOrderAndOtherwiseRunAtOnce) {
    Recorder r;
    r.gate.deliver(arrival("a"));
    EXPECT_EQ(r.handled, std::vector<DeviceEvent>{arrival("a")});
    EXPECT_FALSE(r.gate.held());
    r.handled.clear();
    {
        DeviceNoticeGate::Hold operation(r.gate);
        r.gate.deliver(removal("a"));
        r.gate.deliver(arrival("b"));
        {
            // An operation started from inside another (a dialog's button) ends first.
            DeviceNoticeGate::Hold inner(r.gate);
        }
        EXPECT_TRUE(r.handled.empty());
        EXPECT_EQ(r.gate.waiting(), 2u);
    }
    EXPECT_EQ(r.handled, (std::vector<DeviceEvent>{removal("a"), arrival("b")}));
    EXPECT_EQ(r.gate.waiting(), 0u);
}

TEST(DeviceNoticeGate, ANoticeDeliveredWhileOneIsHandledRunsAfterIt) {
    std::vector<std::string> trace;
    std::optional<DeviceNoticeGate> gate;
    gate.emplace([&](const DeviceEvent& event) {
        trace.push_back("begin " + event.deviceName);
        if (event.deviceName == "first") {
            // The arrival's message box lets the device poll run.
            gate->deliver(removal("second"));
            EXPECT_TRUE(gate->held());
        }
        trace.push_back("end " + event.deviceName);
    });
    gate->deliver(arrival("first"));
    EXPECT_EQ(trace,
              (std::vector<std::string>{"begin first", "end first", "begin second", "end second"}));
    EXPECT_FALSE(gate->held());
}

}  // namespace
}  // namespace vexlor
