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

TEST(ChipSearchDlg, DownGoesIntoTheListEnterTakesItCancelLooksUpNothing) {
    EnsureQtApplication();
    ScratchDir base;
    WriteSampleCatalogue(base);
    for (bool cancel : {false, true}) {
        CChipSearchDlg dialog(base / "ChipList/KLW20_mcu.xml");
        dialog.show();
        auto* edit = dialog.findChild<QLineEdit*>("searchText");
        auto* list = dialog.findChild<QListWidget*>("matches");
        QTest::keyClicks(edit, "a1");
        QTest::keyClick(edit, Qt::Key_Down);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(list->count(), 2);
        if (cancel) {
            QTest::mouseClick(dialog.findChild<QPushButton*>("cancel"), Qt::LeftButton);
        } else {
            QTest::keyClick(list, Qt::Key_Return);
        }
        EXPECT_EQ(dialog.result(), cancel ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(dialog.searchText(), cancel ? "" : "QR31A100");
    }
}

}  // namespace
}  // namespace vexlor::test
