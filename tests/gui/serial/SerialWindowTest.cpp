// The serial-number commands in the main window on the simulated writer: menu, dialogs, the
// Load File instance and Read S/N Info, through the window's own controls. The numbering rules
// are core's; here the dialogs show what the run holds and their buttons reach it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/app/CommandIds.h"
#include "gui/ops/COptionSelectDlg.h"
#include "gui/serial/CSerialProgramDlg.h"
#include "gui/serial/CSerialSetDlg.h"
#include "support/HexText.h"
#include "support/gui/MainWindowHarness.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

// Runs action on the next modal dialog, which must be a Dialog.
template <typename Dialog, typename Action>
void whenModal(Action action) {
    AnswerNextModal([action](QWidget* widget) {
        auto* dialog = qobject_cast<Dialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        action(dialog);
    });
}

void click(QWidget* widget) {
    ASSERT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton);
}

class SerialWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { h.chooseChip("QRV7049"); }
    void loadProgram() {
        h.op.files.push_back(h.base.write("prog.hex", hexText({0x11, 0x22})).string());
        whenModal<COptionSelectDlg>([](COptionSelectDlg* d) { click(d->okButton()); });
        h.window().action(gui::kLoadFile)->trigger();
    }

    MainWindowHarness h{WindowSetup{.job = std::vector<std::uint8_t>(512, 0)}};
};

TEST_F(SerialWindowTest, MenuRunSetsUpProgramsAndCloses) {
    loadProgram();
    h.window().updateMenuStates();
    QAction* menu = h.window().action(gui::kSerialNumberProgram);
    ASSERT_TRUE(menu->isEnabled());
    std::string okShown;
    whenModal<CSerialProgramDlg>([&](CSerialProgramDlg* program) {
        EXPECT_FALSE(program->button(1)->isEnabled());
        EXPECT_EQ(program->display(1042)->text(), "QRV7049");
        whenModal<CSerialSetDlg>([](CSerialSetDlg* set) {
            EXPECT_FALSE(set->highByte()->isEnabled());
            for (auto [name, text] : {std::pair{"SNLength", "4"},
                                      {"SNStartAddress", "0100"},
                                      {"StartSerialNO", "A0"},
                                      {"SNAmount", "5"}}) {
                set->findChild<QLineEdit*>(name)->selectAll();
                QTest::keyClicks(set->findChild<QLineEdit*>(name), text);
            }
            click(set->loadButton());
        });
        click(program->button(1040));
        EXPECT_EQ(program->display(1045)->text(), "000000A0");
        EXPECT_EQ(program->display(1046)->text(), "000000A4");
        h.window().session().simWriter()->setFreshChipPerJob(true);
        for (int chip = 0; chip < 5; ++chip) {
            click(program->button(1));
        }
        okShown = program->display(1051)->text().toStdString();
        EXPECT_EQ(program->display(1045)->text(), "000000A5");
        EXPECT_FALSE(program->button(1)->isEnabled());
        EXPECT_EQ(h.op.last().text, "Serial Number Program Complete");
        click(program->button(2));
    });
    menu->trigger();
    EXPECT_EQ(okShown, "5");
    EXPECT_EQ(h.text(ControlId::JobModeLabel), "Serial Number Program");
    EXPECT_EQ(h.context->serial.lengthBytes, 16);
}

TEST_F(SerialWindowTest, LoadInDisplaySerialModeKeepsTheProgramWindow) {
    h.context->shell.job.displaySerialNumber = 1;
    loadProgram();
    auto* program = h.window().findChild<CSerialProgramDlg*>("SerialNumberProgram");
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(program->isVisible());
    EXPECT_FALSE(program->button(1040)->isEnabled());
    EXPECT_TRUE(program->button(1)->isEnabled());
    for (ControlId id :
         {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify}) {
        EXPECT_FALSE(h.control(id)->isEnabled()) << static_cast<int>(id);
    }
    click(program->button(2));
    EXPECT_FALSE(program->isVisible());
    EXPECT_EQ(h.context->shell.job.displaySerialNumber, 0);
    EXPECT_TRUE(h.control(ControlId::Auto)->isEnabled());
}

TEST_F(SerialWindowTest, ReadSerialInfoShowsTheRunReadOnly) {
    h.window().updateMenuStates();
    QAction* info = h.window().action(gui::kReadSerialInfo);
    ASSERT_TRUE(info->isEnabled());
    info->trigger();
    EXPECT_EQ(h.op.last().text, "No Use Serial Number");

    std::vector<std::uint8_t> block = readBytes(h.base / "serial.txt");
    block[0x35] = 0x10;
    block[0x36] = 2;
    block[0x7F] = 0x07;
    block[0x6F] = 0x09;
    Writer& writer = h.window().session().writer();
    writer.WriteAreaFromFile(h.base.writeBytes("run.prog", block), 4);
    writer.ReadOptionHeader(h.context->link.optionHeader);
    bool shown = false;
    whenModal<CSerialSetDlg>([&](CSerialSetDlg* set) {
        shown = true;
        EXPECT_EQ(set->edit(1052)->text(), "0007");
        EXPECT_EQ(set->edit(1054)->text(), "2");
        EXPECT_FALSE(set->edit(1052)->isEnabled());
        EXPECT_FALSE(set->loadButton()->isEnabled());
        EXPECT_FALSE(set->lowByte()->isEnabled());
        set->reject();
    });
    info->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(h.context->serial.viewOnly);
}

}  // namespace
}  // namespace vexlor::test
