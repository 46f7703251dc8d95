// The Smart Option button of the main window, over the job the simulated writer holds.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

#include "gui/smartopt/COptionView.h"
#include "support/gui/MainWindowHarness.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

TEST(SmartOptionWindow, ButtonShowsTheItemsWithTheRestoredWord) {
    std::vector<std::uint8_t> job(512, 0);
    const std::string chip = "QN3244";
    std::copy(chip.begin(), chip.end(), job.begin());
    job[37] = 0x40;
    MainWindowHarness h({.job = job});
    h.base.write("tin/QN3244.tin",
                 "[MENU]\nClock\nReset\n[ITEM]\nRC\x01XT\nOff\x01On\n[DIPSWITCH]\n0 40 00 40\n");
    ASSERT_TRUE(h.control(ControlId::SmartOption)->isEnabled());

    QString title;
    std::vector<int> selections;
    std::vector<bool> enabled;
    std::vector<QColor> colors;
    AnswerNextModal([&](QWidget* dialog) {
        title = dialog->windowTitle();
        auto* view = dialog->findChild<COptionView*>();
        for (QComboBox* list : view->lists()) {
            selections.push_back(list->currentIndex());
            enabled.push_back(list->isEnabled());
        }
        for (const auto& label : view->labels()) {
            colors.push_back(label.color);
        }
        dialog->close();
    });
    QTest::mouseClick(h.control(ControlId::SmartOption), Qt::LeftButton);

    EXPECT_EQ(title, "Smart Option [ System config : 0040 ]");
    EXPECT_EQ(selections, (std::vector<int>{1, -1}));
    EXPECT_EQ(enabled, (std::vector<bool>{false, false}));
    EXPECT_EQ(colors, (std::vector<QColor>{Qt::black, Qt::blue}));
    EXPECT_TRUE(h.op.shown.empty());
}

}  // namespace
}  // namespace vexlor::test
