#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "SelectFixture.h"
#include "gui/select/CIcTypeSelectDlg.h"
#include "gui/select/DeviceMenuCommand.h"
#include "support/RecordingOperator.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

class DeviceMenuCommandTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
    DeviceMenuCommandTest() {
        WriteSampleCatalogue(base);
        context.link.writerConnected = true;
        command = MakeDeviceMenuCommand(&window, context, op,
                                        {[this] { ++blanked; }, [this] { ++refreshed; }});
    }

    // Runs the command, picking the chip of row `row` and leaving with `button`.
    void run(int row, const char* button) {
        AnswerNextModal([this, row, button](QWidget* dialog) {
            seen.push_back(dialog);
            ClickRow(dialog->findChild<QListWidget*>("chipName"), row);
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        command();
    }

    ScratchDir base;
    RecordingOperator op;
    AppContext context{op, base.path(), Language::English};
    QWidget window;
    std::function<void()> command;
    int blanked = 0;
    int refreshed = 0;
    std::vector<QWidget*> seen;
};

TEST_F(DeviceMenuCommandTest, OkHandsTheChipToTheWindowAndCancelKeepsIt) {
    run(1, "ok");
    const std::string chosen = context.shell.job.chipNameText;
    EXPECT_EQ(chosen, context.chipXml.icInfo().ChipName);
    EXPECT_FALSE(chosen.empty());
    EXPECT_EQ(blanked, 1);
    EXPECT_EQ(refreshed, 1);

    run(2, "cancel");
    EXPECT_EQ(context.shell.job.chipNameText, chosen);
    EXPECT_EQ(context.chipXml.icInfo().ChipName, chosen);
    EXPECT_EQ(blanked, 1);
    EXPECT_EQ(refreshed, 2);
    // One dialog for the life of the window.
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], seen[1]);
}

}  // namespace
}  // namespace vexlor::test
