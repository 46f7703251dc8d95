// The job in the main window on the simulated writer: chip, Load File with Option Select,
// Program, Verify, Read, Set Protect, through the window's own menu and buttons.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "QtTestApp.h"
#include "ScratchBase.h"
#include "core/base/Diagnostics.h"
#include "gui/app/CWriterMainDlg.h"
#include "gui/app/CommandIds.h"
#include "gui/ops/COptionSelectDlg.h"
#include "support/HexText.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Answers the next Option Select dialog once it is up (writer transfers before it pump
// events, so it may take a while): clicks the radio buttons given, then OK.
void answerOptionSelect(std::vector<int> clicks) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, clicks] {
        auto* dialog = qobject_cast<COptionSelectDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        for (int id : clicks) {
            QTest::mouseClick(dialog->radio(id), Qt::LeftButton);
        }
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    poll->start(5);
}

class JobWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }

    void SetUp() override {
        layOutBase(base.path(), builtBaseDir());
        // Read is offered only where the operation visibility file switches it on.
        base.write("KLW_Read.xml",
                   "<OperationDisplay><Auto>1</Auto><BlankCheck>1</BlankCheck><Program>1</Program>"
                   "<Verify>1</Verify><Read>1</Read></OperationDisplay>");
        context = std::make_unique<AppContext>(op, base.path(), Language::English);
        gui::MainWindowOptions options;
        options.programDirectory = base.path();
        options.devicePollMs = 0;
        options.session.simulate = true;
        options.session.simulatedJob = base.writeBytes("job.prog", Bytes(512, 0));
        window = std::make_unique<gui::CWriterMainDlg>(*context, op, clock, options);
        window->session().connection().SelectTransport(false);
        window->OnInitDialog();
        window->show();
        // What the Device command leaves behind for the chosen chip.
        context->chips.ReadChipDisplayInfo("QRV7049");
        ASSERT_TRUE(context->chips.ReadICInfo("QRV7049"));
        context->shell.job.chipNameText = "QRV7049";
        window->enableOperationButtons();
    }

    void click(ControlId id) {
        QWidget* button = window->control(id);
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << static_cast<int>(id);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    Bytes file(const char* name) const { return readBytes(base / name); }

    ScratchDir base;
    RecordingOperator op;
    VirtualClock clock;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<gui::CWriterMainDlg> window;
};

const Bytes kProgram{0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

TEST_F(JobWindowTest, LoadProgramVerifyReadInTheWindow) {
    op.files.push_back(base.write("prog.hex", hexText(kProgram)).string());
    answerOptionSelect({1025});  // Dual mode
    QAction* load = window->action(gui::kLoadFile);
    ASSERT_TRUE(load->isEnabled());
    load->trigger();
    ASSERT_EQ(op.texts(), std::vector<std::string>{"Loading Data Ok"});
    EXPECT_EQ(file("buffer_option.prog").at(0x24), 0x62);  // 0x60 with the mode bit
    EXPECT_TRUE(window->control(ControlId::DualMode)->isVisible());
    EXPECT_TRUE(static_cast<QCheckBox*>(window->control(ControlId::FastMode))->isChecked());
    EXPECT_EQ(window->findChild<QLineEdit*>("Checksum")->text().size(), 4);
    EXPECT_EQ(window->hexView()->model().length(),
              static_cast<std::int64_t>(file("buffer_data.prog").size()));

    click(ControlId::Program);
    click(ControlId::Verify);
    click(ControlId::Read);
    EXPECT_EQ(op.texts(),
              (std::vector<std::string>{"Loading Data Ok", "Program OK", "Verify OK", "Read OK"}));
    // QRV7049 reads 0x4010 words back in the program's own order.
    const Bytes read = file("readdata.otp");
    ASSERT_EQ(read.size(), 0x8020u);
    EXPECT_EQ(Bytes(read.begin(), read.begin() + 8),
              (Bytes{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0xFF, 0xFF}));
    EXPECT_EQ(window->hexView()->model().length(), 0x8020);
    EXPECT_TRUE(window->control(ControlId::Program)->isEnabled());
}

TEST_F(JobWindowTest, VerifyOfAnotherChipFailsAndSetProtectRewritesTheJob) {
    op.files.push_back(base.write("prog.hex", hexText(kProgram)).string());
    answerOptionSelect({});
    window->action(gui::kLoadFile)->trigger();
    click(ControlId::Program);
    window->session().simWriter()->chip().insert(Bytes{0x11, 0x23});
    click(ControlId::Verify);
    EXPECT_EQ(op.last().text, "Verify FAIL");

    // QRV7049 keeps its protect bit in bit 0 of offset 36, with the mode and clock bits.
    answerOptionSelect({1023});  // Protect
    window->action(gui::kSetProtect)->trigger();
    EXPECT_EQ(op.last().text, "Set Select OK");
    EXPECT_EQ(file("buffer_option.prog").at(36) & 1, 0);
    EXPECT_TRUE(static_cast<QCheckBox*>(window->control(ControlId::Protect))->isChecked());
}

TEST_F(JobWindowTest, NothingDownloadedRefusesProgram) {
    click(ControlId::Program);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "HW and SW Chip Name is discordant");
}

}  // namespace
}  // namespace vexlor::test
