#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/ops/COptionSelectDlg.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

const char* const kButtons[] = {"Unprotect", "Protect",         "FastMode",
                                "DualMode",  "Clock32kDisable", "Clock32kEnable"};

QRadioButton* button(QWidget* dialog, const char* name) {
    return dialog->findChild<QRadioButton*>(name);
}

TEST(OptionSelectDlg, PresetChoicesCheckTheirButtonsAndHideUnusedPairs) {
    EnsureQtApplication();
    struct Case {
        OptionChoices preset;
        std::string shown;  // one letter per button in kButtons order
        std::string checked;
    };
    const Case cases[] = {
        {{0, 0, 0}, "111111", "101010"},
        {{1, 1, 1}, "111111", "010101"},
        {{0, -1, -1}, "110000", "100000"},
        {{1, 0, -1}, "111100", "011000"},
    };
    for (const Case& c : cases) {
        COptionSelectDlg dialog;
        dialog.setChoices(c.preset);
        dialog.show();
        std::string shown;
        std::string checked;
        for (const char* name : kButtons) {
            shown += button(&dialog, name)->isVisible() ? '1' : '0';
            checked += button(&dialog, name)->isChecked() ? '1' : '0';
        }
        EXPECT_EQ(shown, c.shown) << c.checked;
        EXPECT_EQ(checked, c.checked) << c.shown;
    }
}

TEST(OptionSelectDlg, ClickedChoicesComeBackOnOkAndOnClose) {
    EnsureQtApplication();
    for (bool pressOk : {true, false}) {
        AnswerNextModal([pressOk](QWidget* dialog) {
            QTest::mouseClick(button(dialog, "Protect"), Qt::LeftButton);
            QTest::mouseClick(button(dialog, "DualMode"), Qt::LeftButton);
            if (pressOk) {
                QTest::mouseClick(dialog->findChild<QPushButton*>("OK"), Qt::LeftButton);
            } else {
                dialog->close();
            }
        });
        OptionChoices choices{0, 0, -1};
        EXPECT_EQ(QtOptionSelect(nullptr).run(choices), pressOk);
        EXPECT_EQ(choices, (OptionChoices{1, 1, -1}));
    }
}

}  // namespace
}  // namespace vexlor::test
