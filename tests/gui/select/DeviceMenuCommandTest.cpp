#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "QtApp.h"
#include "SelectFixture.h"
#include "gui/select/CIcTypeSelectDlg.h"
#include "gui/select/DeviceMenuCommand.h"
#include "support/RecordingOperator.h"

namespace vexlor {
namespace {

class DeviceMenuCommandTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureQtApplication(); }
    DeviceMenuCommandTest() {
        test::WriteSampleCatalogue(base);
        base.write("res/ICPicture/QV115.jpg", "picture");
        context.link.writerConnected = true;
        command = MakeDeviceMenuCommand(
            &window, context, op,
            {[this] { ++blanked; }, [this] { ++refreshed; },
             [this](bool exhvIsp, bool isp) { serialSetOpened.emplace_back(exhvIsp, isp); }});
    }

    // Runs the command; `operate` acts on the modal dialog once it is up.
    void runWith(std::function<void(CIcTypeSelectDlg&)> operate) {
        QTimer::singleShot(0, [this, operate] {
            auto* dialog = qobject_cast<CIcTypeSelectDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen.push_back(dialog);
            operate(*dialog);
        });
        command();
    }
    static void click(CIcTypeSelectDlg& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    static void clickChip(CIcTypeSelectDlg& dialog, const char* list, int row) {
        test::ClickRow(dialog.findChild<QListWidget*>(list), row);
    }

    test::ScratchDir base;
    test::RecordingOperator op;
    AppContext context{op, base.path(), Language::English};
    QWidget window;
    std::function<void()> command;
    int blanked = 0;
    int refreshed = 0;
    std::vector<std::pair<bool, bool>> serialSetOpened;
    std::vector<CIcTypeSelectDlg*> seen;
};

TEST_F(DeviceMenuCommandTest, OkHandsTheChipToTheWindowAndBlanksTheFile) {
    context.shell.job.checksumText = "12AB";
    runWith([](CIcTypeSelectDlg& dialog) {
        clickChip(dialog, "chipName", 1);
        click(dialog, "ok");
    });
    const JobState& job = context.shell.job;
    EXPECT_EQ(job.chipNameText, "QR31ZJ0115");
    EXPECT_EQ(job.ispProgram, 1);
    EXPECT_EQ(job.checksumText, "");
    EXPECT_EQ(context.shell.titleText, "Vexlor_Writer  QR31ZJ0115  ");
    EXPECT_EQ(context.shell.panel.at(ControlId::IspModeLabel).text, "ISP Program");
    EXPECT_EQ(blanked, 1);
    EXPECT_EQ(refreshed, 1);
    EXPECT_TRUE(op.shown.empty());
    EXPECT_TRUE(serialSetOpened.empty());
}

TEST_F(DeviceMenuCommandTest, OkWithDisplaySerialNumberOpensTheSerialSet) {
    runWith([](CIcTypeSelectDlg& dialog) {
        clickChip(dialog, "chipName", 1);
        auto* box = dialog.findChild<QCheckBox*>("displaySerialNumber");
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(box->isEnabled());
        box->click();
        click(dialog, "ok");
    });
    EXPECT_EQ(context.shell.job.displaySerialNumber, 1);
    EXPECT_EQ(serialSetOpened, (std::vector<std::pair<bool, bool>>{{false, true}}));
}

TEST_F(DeviceMenuCommandTest, CancelKeepsEverythingAndTheDialogIsKeptForTheNextRun) {
    runWith([](CIcTypeSelectDlg& dialog) { click(dialog, "ok"); });
    const ICInfo parameters = context.chipXml.icInfo();
    const ChipDisplayInfo keys = context.chipXml.chipDisplayInfo();
    ASSERT_EQ(context.shell.job.chipNameText, "QR31A100");

    runWith([](CIcTypeSelectDlg& dialog) {
        clickChip(dialog, "mcuType", 1);
        clickChip(dialog, "chipSeries", 1);
        clickChip(dialog, "chipName", 1);
        click(dialog, "cancel");
    });
    EXPECT_EQ(context.chipXml.icInfo(), parameters);
    EXPECT_EQ(context.chipXml.chipDisplayInfo(), keys);
    EXPECT_EQ(context.shell.job.chipNameText, "QR31A100");
    EXPECT_EQ(blanked, 1);
    EXPECT_EQ(refreshed, 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], seen[1]);
}

}  // namespace
}  // namespace vexlor
