// The serial-number commands in the main window on the simulated writer: menu, dialogs, the
// Load File instance and Read S/N Info, through the window's own controls.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "ScratchBase.h"
#include "gui/app/CWriterMainDlg.h"
#include "gui/app/CommandIds.h"
#include "gui/ops/COptionSelectDlg.h"
#include "gui/serial/CSerialProgramDlg.h"
#include "gui/serial/CSerialSetDlg.h"
#include "support/HexText.h"
#include "support/gui/MainWindowHarness.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Runs action on the next modal dialog, which must be a Dialog.
template <typename Dialog>
void whenModal(std::function<void(Dialog*)> action) {
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

// Types a run into the Set dialog and presses Load.
void typeRunAndLoad(CSerialSetDlg* set) {
    for (auto [name, text] : {std::pair{"SNLength", "4"}, std::pair{"SNStartAddress", "0100"},
                              std::pair{"StartSerialNO", "A0"}, std::pair{"SNAmount", "5"}}) {
        auto* edit = set->findChild<QLineEdit*>(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    click(set->loadButton());
}

class SerialWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = &harness.window();
        context = harness.context.get();
        context->chips.ReadChipDisplayInfo("QRV7049");
        ASSERT_TRUE(context->chips.ReadICInfo("QRV7049"));
        context->shell.job.chipNameText = "QRV7049";
        window->enableOperationButtons();
    }

    void loadProgram() {
        op.files.push_back(base.write("prog.hex", hexText({0x11, 0x22})).string());
        whenModal<COptionSelectDlg>([](COptionSelectDlg* d) { click(d->okButton()); });
        window->action(gui::kLoadFile)->trigger();
    }
    QLabel* modeLabel() const {
        return static_cast<QLabel*>(window->control(ControlId::JobModeLabel));
    }

    MainWindowHarness harness{WindowSetup{.job = Bytes(512, 0)}};
    ScratchDir& base = harness.base;
    RecordingOperator& op = harness.op;
    AppContext* context = nullptr;
    gui::CWriterMainDlg* window = nullptr;
};

TEST_F(SerialWindowTest, MenuRunSetsUpProgramsAndCloses) {
    loadProgram();
    window->updateMenuStates();
    QAction* menu = window->action(gui::kSerialNumberProgram);
    ASSERT_TRUE(menu->isEnabled());
    std::string okShown;
    whenModal<CSerialProgramDlg>([&](CSerialProgramDlg* program) {
        EXPECT_FALSE(program->button(1)->isEnabled());
        EXPECT_EQ(program->display(1042)->text(), "QRV7049");
        whenModal<CSerialSetDlg>([](CSerialSetDlg* set) {
            EXPECT_FALSE(set->highByte()->isEnabled());
            typeRunAndLoad(set);
        });
        click(program->button(1040));
        EXPECT_EQ(program->display(1045)->text(), "000000A0");
        EXPECT_EQ(program->display(1046)->text(), "000000A4");
        window->session().simWriter()->setFreshChipPerJob(true);
        for (int chip = 0; chip < 5; ++chip) {
            click(program->button(1));
        }
        okShown = program->display(1051)->text().toStdString();
        EXPECT_EQ(program->display(1045)->text(), "000000A5");
        EXPECT_FALSE(program->button(1)->isEnabled());
        EXPECT_EQ(op.last().text, "Serial Number Program Complete");
        click(program->button(2));
    });
    menu->trigger();
    EXPECT_EQ(okShown, "5");
    EXPECT_EQ(modeLabel()->text(), "Serial Number Program");
    EXPECT_EQ(context->serial.lengthBytes, 16);
}

TEST_F(SerialWindowTest, LoadInDisplaySerialModeKeepsTheProgramWindow) {
    context->shell.job.displaySerialNumber = 1;
    loadProgram();
    auto* program = window->findChild<CSerialProgramDlg*>("SerialNumberProgram");
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(program->isVisible());
    EXPECT_FALSE(program->button(1040)->isEnabled());
    EXPECT_TRUE(program->button(1)->isEnabled());
    for (ControlId id :
         {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify}) {
        EXPECT_FALSE(window->control(id)->isEnabled()) << static_cast<int>(id);
    }
    click(program->button(2));
    EXPECT_FALSE(program->isVisible());
    EXPECT_EQ(context->shell.job.displaySerialNumber, 0);
    EXPECT_TRUE(window->control(ControlId::Auto)->isEnabled());
}

TEST_F(SerialWindowTest, ReadSerialInfoShowsTheRunReadOnly) {
    window->updateMenuStates();
    QAction* info = window->action(gui::kReadSerialInfo);
    ASSERT_TRUE(info->isEnabled());
    info->trigger();
    EXPECT_EQ(op.last().text, "No Use Serial Number");

    Bytes block = readBytes(base / "serial.txt");
    block[0x35] = 0x10;
    block[0x36] = 2;
    block[0x7F] = 0x07;
    block[0x6F] = 0x09;
    window->session().writer().WriteAreaFromFile(base.writeBytes("run.prog", block), 4);
    window->session().writer().ReadOptionHeader(context->link.optionHeader);
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
    EXPECT_FALSE(context->serial.viewOnly);
}

}  // namespace
}  // namespace vexlor::test
