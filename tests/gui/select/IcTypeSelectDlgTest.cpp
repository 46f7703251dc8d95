#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "QtApp.h"
#include "SelectFixture.h"
#include "core/select/DeviceCommand.h"
#include "core/select/PackageCode.h"
#include "gui/select/CIcTypeSelectDlg.h"
#include "support/RecordingOperator.h"

namespace vexlor {
namespace {

// The Search button's dialog answered with a fixed text instead of a modal loop.
class ScriptedSearchDlg : public CIcTypeSelectDlg {
  public:
    using CIcTypeSelectDlg::CIcTypeSelectDlg;
    std::string typed;
    int searches = 0;

  protected:
    std::string runChipSearch() override {
        ++searches;
        return typed;
    }
};

class IcTypeSelectDlgTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureQtApplication(); }
    IcTypeSelectDlgTest() { test::WriteSampleCatalogue(base); }

    bool begin(std::int32_t selector = 1) {
        if (!dialog.begin(selector, true)) {
            return false;
        }
        dialog.show();
        return QTest::qWaitForWindowExposed(&dialog);
    }
    template <typename Widget>
    Widget* find(const char* name) {
        auto* widget = dialog.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QListWidget* list(const char* name) { return find<QListWidget>(name); }
    QCheckBox* box(const char* name) { return find<QCheckBox>(name); }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    test::ScratchDir base;
    test::RecordingOperator op;
    ReadChipXml document{op, base.path()};
    ScriptedSearchDlg dialog{document, op};
};

TEST_F(IcTypeSelectDlgTest, ShowsTheCatalogueInFourCascadingLists) {
    ASSERT_TRUE(begin());
    EXPECT_EQ(dialog.windowTitle(), "IC Type Select");
    EXPECT_EQ(list("mcuType")->count(), 2);
    EXPECT_EQ(list("mcuType")->currentRow(), 0);
    EXPECT_EQ(list("chipName")->count(), 3);
    EXPECT_EQ(label("mcuTypeLabel"), "OTP");
    EXPECT_EQ(label("chipNameLabel"), "QR31A100");
    EXPECT_EQ(label("seriesValue"), "OTP");
    EXPECT_EQ(label("icTypeValue"), "QR31A100");
    EXPECT_FALSE(find<QGroupBox>("packagesGroup")->isVisible());

    test::ClickRow(list("mcuType"), 1);
    EXPECT_EQ(list("chipSeries")->item(1)->text(), "M20");
    test::ClickRow(list("chipSeries"), 1);
    test::ClickRow(list("chipName"), 1);
    EXPECT_EQ(list("chipName")->currentRow(), 1);
    EXPECT_EQ(label("chipSeriesLabel"), "M20");
    EXPECT_EQ(label("icTypeValue"), "SHARED1");
    EXPECT_EQ(document.icInfo().ChipName, "SHARED1");
}

TEST_F(IcTypeSelectDlgTest, ForcedIspChipEndsCheckedAndGreyedAndOkPassesIt) {
    ASSERT_TRUE(begin());
    test::ClickRow(list("chipName"), 1);  // QR31ZJ0115
    EXPECT_TRUE(box("ispProgram")->isChecked());
    EXPECT_FALSE(box("ispProgram")->isEnabled());
    EXPECT_FALSE(box("exhvIspProgram")->isEnabled());
    // A click on the greyed box changes nothing.
    QTest::mouseClick(box("ispProgram"), Qt::LeftButton);
    click("ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selection().modes[ModeBox::IspProgram], 1);
}

TEST_F(IcTypeSelectDlgTest, ForcedIspChipWithoutTheIspKeyStaysUnchecked) {
    ASSERT_TRUE(begin());
    test::ClickRow(list("chipName"), 2);  // QR31K1C13, ISP key 0
    EXPECT_FALSE(box("ispProgram")->isChecked());
    EXPECT_FALSE(box("ispProgram")->isEnabled());
    click("ok");
    EXPECT_EQ(dialog.selection().modes[ModeBox::IspProgram], 0);
}

TEST_F(IcTypeSelectDlgTest, ProductionLimitIsDroppedForAChipWithoutIt) {
    ASSERT_TRUE(begin());
    auto* count = find<QLineEdit>("productionLimitCount");
    EXPECT_FALSE(count->isEnabled());
    QTest::mouseClick(box("productionLimit"), Qt::LeftButton);
    EXPECT_TRUE(count->isEnabled());
    EXPECT_FALSE(box("displaySerialNumber")->isEnabled());
    EXPECT_FALSE(box("massProductionMode")->isEnabled());
    count->selectAll();
    QTest::keyClicks(count, "42");
    EXPECT_EQ(dialog.model().modes().data().productionLimitCount, 42);

    test::ClickRow(list("chipSeries"), 1);  // QR46YJ45: no production limit
    EXPECT_FALSE(box("productionLimit")->isChecked());
    EXPECT_FALSE(box("productionLimit")->isEnabled());
    EXPECT_FALSE(count->isEnabled());
    EXPECT_TRUE(box("displaySerialNumber")->isEnabled());
    click("ok");
    EXPECT_EQ(dialog.selection().modes[ModeBox::ProductionLimit], 0);
}

TEST_F(IcTypeSelectDlgTest, CountOfZeroIsRefusedAndOkWaits) {
    ASSERT_TRUE(begin());
    QTest::mouseClick(box("productionLimit"), Qt::LeftButton);
    auto* count = find<QLineEdit>("productionLimitCount");
    count->selectAll();
    QTest::keyClick(count, Qt::Key_Backspace);
    EXPECT_TRUE(op.shown.empty());
    QTest::keyClicks(count, "0");
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "Enter an integer between 1 and 99999999.");
    click("ok");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(op.shown.size(), 2u);
}

TEST_F(IcTypeSelectDlgTest, CancelAfterBrowsingRestoresBothRecordsExactly) {
    document.ReadChipDisplayInfo("M20Y2", 1);
    document.ReadICInfo("M20Y2");
    document.icInfo().Device_ID = {7, 8, 9};
    const ChipDisplayInfo keys = document.chipDisplayInfo();
    const ICInfo parameters = document.icInfo();
    ShellState shell;
    shell.startDirectory = base.path().string();

    const auto outcome = RunDeviceCommand(
        [&]() -> std::optional<IcTypeSelection> {
            if (!begin(shell.chipListSelector)) {
                return std::nullopt;
            }
            test::ClickRow(list("chipName"), 1);
            test::ClickRow(list("chipSeries"), 1);
            test::ClickRow(list("mcuType"), 1);
            test::ClickRow(list("chipName"), 1);
            QTest::mouseClick(box("wholeChipErase"), Qt::LeftButton);
            click("cancel");
            if (dialog.result() != QDialog::Accepted) {
                return std::nullopt;
            }
            return dialog.selection();
        },
        document, true, op, shell);

    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(document.chipDisplayInfo(), keys);
    EXPECT_EQ(document.icInfo(), parameters);
    EXPECT_EQ(shell.job.chipNameText, "");
}

TEST_F(IcTypeSelectDlgTest, SearchJumpsTheListsToTheFirstChipOfTheName) {
    ASSERT_TRUE(begin());
    dialog.typed = "SHARED1";
    click("search");
    EXPECT_EQ(dialog.searches, 1);
    EXPECT_EQ(list("mcuType")->currentRow(), 1);
    EXPECT_EQ(list("chipSeries")->currentRow(), 0);
    EXPECT_EQ(list("chipName")->currentRow(), 1);
    EXPECT_EQ(label("icTypeValue"), "SHARED1");
    EXPECT_EQ(label("chipSeriesLabel"), "M10");
    EXPECT_TRUE(op.shown.empty());

    dialog.typed = "QR99";
    click("search");
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "Can't find QR99");
    EXPECT_EQ(label("icTypeValue"), "SHARED1");

    dialog.typed = "";
    click("search");
    EXPECT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(label("icTypeValue"), "SHARED1");
}

TEST_F(IcTypeSelectDlgTest, SecondCatalogueShowsPackagesAndDerivesTheCode) {
    ASSERT_TRUE(begin(1));
    const int narrow = dialog.width();
    dialog.hide();
    ASSERT_TRUE(begin(2));
    EXPECT_TRUE(find<QGroupBox>("packagesGroup")->isVisible());
    EXPECT_GT(dialog.width(), narrow);
    EXPECT_EQ(list("packages")->count(), 2);
    EXPECT_EQ(label("packagesLabel"), "DIP 8");
    test::ClickRow(list("packages"), 1);
    EXPECT_EQ(label("packagesLabel"), "SOP16");
    click("ok");
    EXPECT_EQ(DerivePackageCode(2, dialog.selection().packageName), "16");

    // Reopened on the first catalogue, the column goes away again.
    ASSERT_TRUE(begin(1));
    EXPECT_FALSE(find<QGroupBox>("packagesGroup")->isVisible());
    EXPECT_EQ(dialog.width(), narrow);
}

TEST_F(IcTypeSelectDlgTest, UnreadableCatalogueNeverShowsTheDialog) {
    std::filesystem::remove(base / "ChipList/KLW20_mcu.xml");
    EXPECT_EQ(dialog.run(1, true), std::nullopt);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(op.last().text, "Read Chip List Error!!");
}

}  // namespace
}  // namespace vexlor
