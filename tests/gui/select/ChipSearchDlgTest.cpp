#include <gtest/gtest.h>

#include <memory>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "QtApp.h"
#include "SelectFixture.h"
#include "gui/select/CChipSearchDlg.h"

namespace vexlor {
namespace {

QStringList names(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

class ChipSearchDlgTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureQtApplication(); }
    ChipSearchDlgTest() {
        test::WriteSampleCatalogue(base);
        // Opening reads the catalogue, so the dialog comes after the files.
        dialog = std::make_unique<CChipSearchDlg>(base / "ChipList/KLW20_mcu.xml");
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    QLineEdit* edit() { return dialog->findChild<QLineEdit*>("searchText"); }
    QListWidget* list() { return dialog->findChild<QListWidget*>("matches"); }

    test::ScratchDir base;
    std::unique_ptr<CChipSearchDlg> dialog;
};

TEST_F(ChipSearchDlgTest, OpensWithEveryChipOnce) {
    EXPECT_EQ(dialog->windowTitle(), "Chip Selection");
    EXPECT_EQ(edit()->text(), "");
    EXPECT_EQ(names(list()),
              (QStringList{"QR31A100", "QR31ZJ0115", "QR31K1C13", "QR46YJ45", "QR46A200", "31A100",
                           "QR46b7", "M10X1", "SHARED1", "M20Y2"}));
    EXPECT_EQ(list()->currentRow(), -1);
}

TEST_F(ChipSearchDlgTest, LowerCaseTypingIsShownAndMatchedInCapitals) {
    QTest::keyClicks(edit(), "qr4");
    EXPECT_EQ(edit()->text(), "QR4");
    EXPECT_EQ(names(list()), (QStringList{"QR46YJ45", "QR46A200", "QR46b7"}));
    QTest::keyClicks(edit(), "6b");
    EXPECT_EQ(edit()->text(), "QR46B");
    EXPECT_TRUE(names(list()).isEmpty());
    EXPECT_EQ(dialog->searchText(), "QR46B");
}

TEST_F(ChipSearchDlgTest, SharedNamesAreListedOnceAndAnExactNameSelectsTheFirstEntry) {
    QTest::keyClicks(edit(), "shared");
    EXPECT_EQ(names(list()), (QStringList{"SHARED1"}));
    EXPECT_EQ(list()->currentRow(), -1);
    QTest::keyClicks(edit(), "1");
    EXPECT_EQ(list()->currentRow(), 0);

    edit()->selectAll();
    QTest::keyClicks(edit(), "31a100");
    EXPECT_EQ(names(list()), (QStringList{"QR31A100", "31A100"}));
    EXPECT_EQ(list()->currentRow(), 0);
}

TEST_F(ChipSearchDlgTest, ClickingAnEntryPutsItsNameIntoTheEdit) {
    QTest::keyClicks(edit(), "m");
    EXPECT_EQ(names(list()), (QStringList{"M10X1", "M20Y2"}));
    test::ClickRow(list(), 1);
    EXPECT_EQ(edit()->text(), "M20Y2");
    EXPECT_EQ(names(list()), (QStringList{"M20Y2"}));
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(dialog->searchText(), "M20Y2");
}

TEST_F(ChipSearchDlgTest, EscapeStillLeavesTheTypedText) {
    QTest::keyClicks(edit(), "m10x1");
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->searchText(), "M10X1");
}

}  // namespace
}  // namespace vexlor
