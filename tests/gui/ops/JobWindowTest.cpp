// The job commands reached from the main window's menu and buttons, on the simulated writer.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/app/CommandIds.h"
#include "support/HexText.h"
#include "support/gui/MainWindowHarness.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

void answerOptionSelect(const char* choice) {
    AnswerNextModal([choice](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QRadioButton*>(choice), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("OK"), Qt::LeftButton);
    });
}

TEST(JobWindow, LoadProgramReadAndSetProtectFromTheWindow) {
    MainWindowHarness h({.visibility = "<OperationDisplay><Read>1</Read></OperationDisplay>"});
    h.chooseChip("QRV7049");
    h.op.files.push_back(h.base.write("prog.hex", hexText({0x11, 0x22, 0x33})).string());
    answerOptionSelect("DualMode");
    h.window().action(gui::kLoadFile)->trigger();
    EXPECT_EQ(h.op.texts(), std::vector<std::string>{"Loading Data Ok"});
    EXPECT_EQ(h.text(ControlId::Checksum), h.context->shell.job.checksumText);
    EXPECT_FALSE(h.context->shell.job.checksumText.empty());
    EXPECT_EQ(h.window().hexView()->model().length(),
              static_cast<std::int64_t>(readBytes(h.base / "buffer_data.prog").size()));

    for (ControlId id : {ControlId::Program, ControlId::Read}) {
        ASSERT_TRUE(h.control(id)->isVisible() && h.control(id)->isEnabled());
        QTest::mouseClick(h.control(id), Qt::LeftButton);
    }
    EXPECT_EQ(h.window().hexView()->model().length(),
              static_cast<std::int64_t>(readBytes(h.base / "readdata.otp").size()));

    answerOptionSelect("Protect");
    h.window().action(gui::kSetProtect)->trigger();
    EXPECT_EQ(h.op.texts(), (std::vector<std::string>{"Loading Data Ok", "Program OK", "Read OK",
                                                      "Set Select OK"}));

    // Option Select opens on the job's choices; a click then Cancel keeps them.
    bool openedOnDual = false;
    AnswerNextModal([&openedOnDual](QWidget* dialog) {
        openedOnDual = dialog->findChild<QRadioButton*>("DualMode")->isChecked();
        QTest::mouseClick(dialog->findChild<QRadioButton*>("FastMode"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
    });
    h.op.files.push_back((h.base / "prog.hex").string());
    h.window().action(gui::kLoadFile)->trigger();
    EXPECT_TRUE(openedOnDual);
    EXPECT_TRUE(qobject_cast<QCheckBox*>(h.control(ControlId::DualMode))->isChecked());
    EXPECT_EQ(h.control(ControlId::DualMode)->focusPolicy(), Qt::NoFocus);
}

// Clicks the next dialog's button, keeps what the label then shows into shown, and cancels.
void answerAndRead(const char* button, const char* label, std::string& shown) {
    AnswerNextModal([&shown, button, label](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        shown = dialog->findChild<QLabel*>(label)->text().toStdString();
        QTest::mouseClick(dialog->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
    });
}

TEST(JobWindow, CompareFileAndReadChipInfoFromTheMenu) {
    MainWindowHarness h;
    h.chooseChip("QN3244");
    // No chip of the delivered catalogue offers Read Chip Info.
    h.context->chipXml.chipDisplayInfo().MenuRead_ChipInfo = 1;
    const std::string program = h.base.write("prog.hex", hexText(qn3244Image())).string();
    h.op.files.push_back(program);
    h.window().action(gui::kLoadFile)->trigger();
    ASSERT_EQ(h.op.texts(), std::vector<std::string>{"Loading Data Ok"});

    h.op.files.push_back(program);
    std::string result;
    answerAndRead("CompareFile", "CompareResult", result);
    h.window().action(gui::kCompareFile)->trigger();
    EXPECT_EQ(result, "Compare Result : OK");
    EXPECT_EQ(h.op.filters.back(), "QvIce Hex Files (*.hex)|*.hex||");

    std::string id;
    answerAndRead("Read", "ID", id);
    h.window().action(gui::kReadChipInfo)->trigger();
    EXPECT_EQ(id, "ID : 5503");
}

}  // namespace
}  // namespace vexlor::test
