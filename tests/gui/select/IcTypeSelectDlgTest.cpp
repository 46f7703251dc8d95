// The dialog shows what IcTypeSelectModel holds and hands it every click; the selection rules
// are the model's and tested with it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "SelectFixture.h"
#include "gui/select/CIcTypeSelectDlg.h"
#include "support/RecordingOperator.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

// The Search button's dialog answered with a fixed text instead of a modal loop.
class ScriptedSearchDlg : public CIcTypeSelectDlg {
  public:
    using CIcTypeSelectDlg::CIcTypeSelectDlg;
    std::string typed;

  protected:
    std::string runChipSearch() override { return typed; }
};

class IcTypeSelectDlgTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
    IcTypeSelectDlgTest() { WriteSampleCatalogue(base); }
    void begin(std::int32_t selector = 1) {
        ASSERT_TRUE(dialog.begin(selector));
        dialog.show();
    }
    template <typename Widget = QWidget>
    Widget* find(const char* name) {
        return dialog.findChild<Widget*>(name);
    }
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    // The lists and the chip label show the model.
    void expectListsShowTheModel() {
        const std::pair<ChipList, const char*> lists[] = {{ChipList::McuType, "mcuType"},
                                                          {ChipList::ChipSeries, "chipSeries"},
                                                          {ChipList::ChipName, "chipName"}};
        for (auto [which, name] : lists) {
            auto* list = find<QListWidget>(name);
            const auto& items = dialog.model().lists().items(which);
            ASSERT_EQ(list->count(), static_cast<int>(items.size())) << name;
            for (int i = 0; i < list->count(); ++i) {
                EXPECT_EQ(list->item(i)->text().toStdString(), items[i]) << name;
            }
            EXPECT_EQ(list->currentRow(), dialog.model().lists().selection(which)) << name;
        }
        EXPECT_EQ(find<QLabel>("icTypeValue")->text().toStdString(),
                  dialog.model().labels().icTypeValue);
    }

    ScratchDir base;
    RecordingOperator op;
    ReadChipXml document{op, base.path()};
    ScriptedSearchDlg dialog{document, op};
};

TEST_F(IcTypeSelectDlgTest, ListClicksReachTheModelAndTheListsFollowIt) {
    begin();
    EXPECT_EQ(dialog.windowTitle(), "IC Type Select");
    expectListsShowTheModel();
    ClickRow(find("mcuType"), 1);
    ClickRow(find("chipSeries"), 1);
    ClickRow(find("chipName"), 1);
    EXPECT_EQ(dialog.model().lists().selection(ChipList::ChipName), 1);
    expectListsShowTheModel();
    EXPECT_EQ(document.icInfo().ChipName, dialog.model().labels().icTypeValue);
}

TEST_F(IcTypeSelectDlgTest, ModeBoxesAndTheCountGoThroughTheModel) {
    begin();
    ClickRow(find("chipName"), 1);  // a chip that forces ISP Program
    const ModeControls& modes = dialog.model().modes().controls();
    EXPECT_EQ(find<QCheckBox>("ispProgram")->isChecked(), modes[ModeBox::IspProgram].checked);
    EXPECT_EQ(find<QCheckBox>("ispProgram")->isEnabled(), modes[ModeBox::IspProgram].enabled);

    auto* count = find<QLineEdit>("productionLimitCount");
    EXPECT_FALSE(count->isEnabled());
    click("productionLimit");
    EXPECT_TRUE(modes[ModeBox::ProductionLimit].checked);
    EXPECT_TRUE(count->isEnabled());
    count->selectAll();
    QTest::keyClick(count, Qt::Key_Backspace);
    click("ok");
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Enter an integer between 1 and 99999999."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    QTest::keyClicks(count, "42");
    click("ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selection().modes.productionLimitCount, 42);
    EXPECT_EQ(dialog.selection().modes[ModeBox::ProductionLimit], 1);
}

TEST_F(IcTypeSelectDlgTest, SearchJumpsToTheFoundChipOrTellsItIsMissing) {
    begin();
    dialog.typed = "SHARED1";
    click("search");
    EXPECT_EQ(find<QLabel>("icTypeValue")->text(), "SHARED1");
    expectListsShowTheModel();
    dialog.typed = "QR99";
    click("search");
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Can't find QR99"});
}

TEST_F(IcTypeSelectDlgTest, PackagesColumnOnlyForTheSecondCatalogue) {
    begin(2);
    EXPECT_TRUE(find("packagesGroup")->isVisible());
    ClickRow(find("packages"), 1);
    EXPECT_EQ(find<QLabel>("packagesLabel")->text().toStdString(), dialog.model().labels().package);
    begin(1);
    EXPECT_FALSE(find("packagesGroup")->isVisible());
}

}  // namespace
}  // namespace vexlor::test
