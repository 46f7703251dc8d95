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

std::vector<std::string> listed(QListWidget* list) {
    std::vector<std::string> names;
    for (int i = 0; i < list->count(); ++i) {
        names.push_back(list->item(i)->text().toStdString());
    }
    return names;
}

TEST(ChipSearchDlg, TypingAndClicksGoThroughTheModel) {
    EnsureQtApplication();
    ScratchDir base;
    WriteSampleCatalogue(base);
    const auto catalogue = base / "ChipList/KLW20_mcu.xml";
    CChipSearchDlg dialog(catalogue);
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>("searchText");
    auto* list = dialog.findChild<QListWidget*>("matches");
    ChipSearchModel model(catalogue);
    model.setText("");
    EXPECT_EQ(listed(list), model.names());

    QTest::keyClicks(edit, "qr4");
    model.setText("qr4");
    EXPECT_EQ(edit->text().toStdString(), model.text());
    EXPECT_EQ(listed(list), model.names());
    ASSERT_GE(list->count(), 2);

    ClickRow(list, 1);
    model.selectEntry(1);
    EXPECT_EQ(edit->text().toStdString(), model.text());
    EXPECT_EQ(listed(list), model.names());
    EXPECT_EQ(list->currentRow(), model.selection());

    // Escape closes the dialog; the caller still gets the text.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.searchText(), model.text());
}

TEST(ChipSearchDlg, EnterTakesTheOneChipListedDownWalksTheListCancelLooksUpNothing) {
    EnsureQtApplication();
    ScratchDir base;
    WriteSampleCatalogue(base);
    CChipSearchDlg single(base / "ChipList/KLW20_mcu.xml");
    single.show();
    QTest::keyClicks(single.findChild<QLineEdit*>("searchText"), "zj01");
    QTest::keyClick(single.findChild<QLineEdit*>("searchText"), Qt::Key_Return);
    EXPECT_EQ(single.result(), QDialog::Accepted);
    EXPECT_EQ(single.searchText(), "QR31ZJ0115");

    CChipSearchDlg walked(base / "ChipList/KLW20_mcu.xml");
    walked.show();
    auto* edit = walked.findChild<QLineEdit*>("searchText");
    auto* list = walked.findChild<QListWidget*>("matches");
    QTest::keyClicks(edit, "a1");
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(listed(list), (std::vector<std::string>{"QR31A100", "31A100"}));
    EXPECT_EQ(edit->text(), "31A100");
    QTest::mouseClick(walked.findChild<QPushButton*>("cancel"), Qt::LeftButton);
    EXPECT_EQ(walked.result(), QDialog::Rejected);
    EXPECT_EQ(walked.searchText(), "");
}

}  // namespace
}  // namespace vexlor::test
