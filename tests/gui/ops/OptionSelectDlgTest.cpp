#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "QtTestApp.h"
#include "gui/ops/COptionSelectDlg.h"

namespace vexlor::test {
namespace {

class OptionSelectDlgTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
};

TEST_F(OptionSelectDlgTest, PresetChoicesCheckTheirButtonsAndHideMinusOnePairs) {
    struct Case {
        OptionChoices preset;
        bool modeShown;
        bool clockShown;
        std::vector<int> checked;
    };
    const Case cases[] = {
        {{0, 0, 0}, true, true, {1022, 1024, 1026}},
        {{1, 1, 1}, true, true, {1023, 1025, 1027}},
        {{0, -1, -1}, false, false, {1022}},
        {{1, 0, -1}, true, false, {1023, 1024}},
    };
    for (const Case& c : cases) {
        COptionSelectDlg dialog;
        dialog.setChoices(c.preset);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Option Select");
        EXPECT_TRUE(dialog.radio(1022)->isVisible());
        EXPECT_TRUE(dialog.radio(1023)->isVisible());
        EXPECT_EQ(dialog.radio(1024)->isVisible(), c.modeShown);
        EXPECT_EQ(dialog.radio(1025)->isVisible(), c.modeShown);
        EXPECT_EQ(dialog.radio(1026)->isVisible(), c.clockShown);
        EXPECT_EQ(dialog.radio(1027)->isVisible(), c.clockShown);
        for (int id = 1022; id <= 1027; ++id) {
            const bool expected =
                std::find(c.checked.begin(), c.checked.end(), id) != c.checked.end();
            EXPECT_EQ(dialog.radio(id)->isChecked(), expected) << id;
        }
        EXPECT_EQ(dialog.choices(), c.preset);
    }
}

TEST_F(OptionSelectDlgTest, EveryClickSetsItsChoiceAtOnce) {
    COptionSelectDlg dialog;
    dialog.show();
    const struct {
        int id;
        OptionChoices after;
    } clicks[] = {
        {1023, {1, 0, 0}}, {1025, {1, 1, 0}}, {1027, {1, 1, 1}},
        {1022, {0, 1, 1}}, {1024, {0, 0, 1}}, {1026, {0, 0, 0}},
    };
    for (const auto& click : clicks) {
        QTest::mouseClick(dialog.radio(click.id), Qt::LeftButton);
        EXPECT_EQ(dialog.choices(), click.after) << click.id;
    }
}

TEST_F(OptionSelectDlgTest, RunHandsBackTheChoicesOnOkAndOnClose) {
    for (bool pressOk : {true, false}) {
        QTimer::singleShot(0, [pressOk] {
            auto* dialog = qobject_cast<COptionSelectDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTest::mouseClick(dialog->radio(1023), Qt::LeftButton);
            if (pressOk) {
                QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
            } else {
                dialog->reject();
            }
        });
        QtOptionSelect select(nullptr);
        OptionChoices choices{0, -1, -1};
        EXPECT_EQ(select.run(choices), pressOk);
        EXPECT_EQ(choices, (OptionChoices{1, -1, -1}));
    }
}

}  // namespace
}  // namespace vexlor::test
