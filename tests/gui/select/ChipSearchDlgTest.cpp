// The search dialog shows what ChipSearchModel holds; which names match is the model's rule.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "SelectFixture.h"
#include "core/select/ChipSearchModel.h"
#include "gui/select/CChipSearchDlg.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

std::filesystem::path sampleCatalogue(const ScratchDir& base) {
    WriteSampleCatalogue(base);
    return base / "ChipList/KLW20_mcu.xml";
}

class ChipSearchDlgTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
    ChipSearchDlgTest() { dialog.show(); }
    // The list and the text show the model.
    void expectShown(const ChipSearchModel& model) const {
        std::vector<std::string> names;
        for (int i = 0; i < list->count(); ++i) {
            names.push_back(list->item(i)->text().toStdString());
        }
        EXPECT_EQ(names, model.names());
        EXPECT_EQ(edit->text().toStdString(), model.text());
    }

    ScratchDir base;
    const std::filesystem::path catalogue = sampleCatalogue(base);
    CChipSearchDlg dialog{catalogue};
    QLineEdit* edit = dialog.findChild<QLineEdit*>("searchText");
    QListWidget* list = dialog.findChild<QListWidget*>("matches");
};

TEST_F(ChipSearchDlgTest, TypingAndClicksGoThroughTheModel) {
    ChipSearchModel model(catalogue);
    model.setText("");
    expectShown(model);
    QTest::keyClicks(edit, "qr4");
    model.setText("qr4");
    expectShown(model);
    ASSERT_GE(list->count(), 2);
    ClickRow(list, 1);
    model.selectEntry(1);
    expectShown(model);
    EXPECT_EQ(list->currentRow(), model.selection());
    // Escape closes the dialog; the caller still gets the text.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.searchText(), model.text());
}

TEST_F(ChipSearchDlgTest, DownGoesIntoTheListAndEnterTakesIt) {
    QTest::keyClicks(edit, "a1");
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(list->count(), 2);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.searchText(), "QR31A100");
}

TEST_F(ChipSearchDlgTest, CancelLooksUpNothing) {
    QTest::keyClicks(edit, "a1");
    QTest::mouseClick(dialog.findChild<QPushButton*>("cancel"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.searchText(), "");
}

}  // namespace
}  // namespace vexlor::test
