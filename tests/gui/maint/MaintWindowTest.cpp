// The maintenance commands reach core from their menu items and the Writer Test button.
#include <gtest/gtest.h>

#include <QPushButton>

#include "gui/app/CommandIds.h"
#include "support/gui/MainWindowHarness.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

TEST(MaintWindow, CommandsAreWiredToTheirMenuItemsAndButton) {
    MainWindowHarness h({.version = "USB STANDALONE WRITER_V1.1"});
    ASSERT_TRUE(h.trigger("simVoltageEdge_AboveHigh"));
    EXPECT_EQ(h.window().session().simWriter()->faults().voltageEdge, sim::VoltageEdge::AboveHigh);
    struct Case {
        const char* action;  // nullptr: the Writer Test button
        std::deque<bool> answers;
        std::string lastShown;
    };
    const Case cases[] = {
        {"menuWriterSimpleTest", {true}, "Writer Test Complete"},
        {nullptr, {true}, "Test Complete"},
        {"menuReadHardwareId", {}, "Writer No Hardware ID"},
        {"menuUserManual", {}, "Can't Find User Manual"},
        {"menuResetWriterFirmware", {false}, " Are you sure reset writer firmware ? "},
    };
    for (const Case& c : cases) {
        h.op.answers = c.answers;
        if (c.action != nullptr) {
            ASSERT_TRUE(h.trigger(c.action)) << c.action;
        } else {
            auto* button = qobject_cast<QPushButton*>(h.control(ControlId::WriterTest));
            ASSERT_TRUE(button->isEnabled());
            button->click();
        }
        EXPECT_EQ(h.op.last().text, c.lastShown);
    }
    ASSERT_TRUE(h.trigger("menuUpdateFirmware"));
    EXPECT_EQ(h.op.filters.back(), "QvIce Nce Files (*.nce)|*.nce||");
}

}  // namespace
}  // namespace vexlor::test
