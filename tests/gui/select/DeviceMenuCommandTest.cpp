#include <gtest/gtest.h>

#include <QCheckBox>
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
        command = MakeDeviceMenuCommand(
            &window, context, op,
            {[this] { ++blanked; }, [this] { ++refreshed; },
             [this](bool exhvIsp, bool isp) { serialSetOpened.emplace_back(exhvIsp, isp); }});
    }

    // Runs the command, picking the chip of row `row` (ticking Display Serial Number when
    // asked) and leaving with `button`.
    void run(int row, const char* button, bool displaySerial = false) {
        AnswerNextModal([this, row, button, displaySerial](QWidget* dialog) {
            seen.push_back(dialog);
            auto* chips = dialog->findChild<QListWidget*>("chipName");
            openedOn.push_back(chips->currentItem()->text().toStdString());
            ClickRow(chips, row);
            if (displaySerial) {
                auto* box = dialog->findChild<QCheckBox*>("displaySerialNumber");
                ASSERT_NE(box, nullptr);
                ASSERT_TRUE(box->isEnabled());
                box->click();
            }
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
    std::vector<std::pair<bool, bool>> serialSetOpened;
    std::vector<QWidget*> seen;
    std::vector<std::string> openedOn;
};

TEST_F(DeviceMenuCommandTest, OkHandsTheChipToTheWindowAndCancelKeepsIt) {
    run(1, "ok");
    const std::string chosen = context.shell.job.chipNameText;
    EXPECT_EQ(chosen, context.chipXml.icInfo().ChipName);
    EXPECT_FALSE(chosen.empty());
    EXPECT_EQ(blanked, 1);
    EXPECT_EQ(refreshed, 1);
    EXPECT_TRUE(serialSetOpened.empty());

    run(2, "cancel");
    EXPECT_EQ(context.shell.job.chipNameText, chosen);
    EXPECT_EQ(context.chipXml.icInfo().ChipName, chosen);
    EXPECT_EQ(blanked, 1);
    EXPECT_EQ(refreshed, 2);
    // One dialog for the life of the window, opened on the window's chip once it has one.
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_EQ(openedOn, (std::vector<std::string>{"QR31A100", chosen}));
}

TEST_F(DeviceMenuCommandTest, OkWithDisplaySerialNumberOpensTheSerialSet) {
    run(1, "ok", true);
    EXPECT_EQ(context.shell.job.displaySerialNumber, 1);
    EXPECT_EQ(serialSetOpened, (std::vector<std::pair<bool, bool>>{{false, true}}));
}

}  // namespace
}  // namespace vexlor::test
