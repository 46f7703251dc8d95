#include "gui/serial/CSerialProgramDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/serial/SerialCommands.h"
#include "gui/serial/CSerialSetDlg.h"
#include "gui/serial/EditText.h"

namespace vexlor {

namespace {

enum SerialProgramControl : int {
    kProgramButton = 1,
    kCloseButton = 2,
    kSetButton = 1040,
    kChipType = 1042,
    kStartSerial = 1045,
    kEndSerial = 1046,
    kStartAddress = 1049,
    kEndAddress = 1050,
    kOk = 1051,
    kNg = 1052,
    kTotal = 1053,
    kResetButton = 1060,
};

}  // namespace

CSerialProgramDlg::CSerialProgramDlg(SerialProgramServices services, const std::string& chipName,
                                     bool fromLoad, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      session_(services_.context.serial, services_.context.serialJournal, services_.op, chipName,
               fromLoad) {
    setObjectName("SerialNumberProgram");
    setWindowTitle("Serial Number Program");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const struct {
        int id;
        const char* label;
        const char* name;
    } rows[] = {{kChipType, "Chip Type :  ", "ChipType"},
                {kStartSerial, "Start Serial NO[Hex] : ", "StartSerialNO"},
                {kEndSerial, "End Serial NO[Hex] : ", "EndSerialNO"},
                {kStartAddress, "S/N Start Address[Hex] : ", "SNStartAddress"},
                {kEndAddress, "S/N End Address[Hex] : ", "SNEndAddress"}};
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(r.label, this), row, 0);
        grid->addWidget(addDisplay(r.id, r.name), row, 1);
        ++row;
    }
    display(kChipType)->setMaxLength(10);
    display(kStartSerial)
        ->setMinimumWidth(display(kStartSerial)->fontMetrics().horizontalAdvance('0') * 34);

    auto* counter = new QGroupBox("  Counter  ", this);
    counter->setObjectName("Counter");
    auto* counterGrid = new QGridLayout(counter);
    const struct {
        int id;
        const char* label;
        const char* name;
    } counters[] = {{kOk, "OK (Hex) : ", "OKCount"},
                    {kNg, "NG (Hex) : ", "NGCount"},
                    {kTotal, "Total (Hex) : ", "TotalCount"}};
    row = 0;
    for (const auto& c : counters) {
        counterGrid->addWidget(new QLabel(c.label, counter), row, 0);
        counterGrid->addWidget(addDisplay(c.id, c.name), row, 1);
        ++row;
    }
    layout->addWidget(counter);

    auto* buttons = new QHBoxLayout;
    set_ = addButton(kSetButton, "S/N SET", "SNSet");
    QPushButton* reset = addButton(kResetButton, "Reset Count", "ResetCount");
    program_ = addButton(kProgramButton, "S/N Program", "SNProgram");
    QPushButton* close = addButton(kCloseButton, "Close", "Close");
    for (QPushButton* b : {set_, reset, program_, close}) {
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(set_, &QPushButton::clicked, this, &CSerialProgramDlg::onSet);
    connect(program_, &QPushButton::clicked, this, &CSerialProgramDlg::onProgram);
    connect(reset, &QPushButton::clicked, this, [this] {
        session_.resetCount();
        showCounters();
    });
    connect(close, &QPushButton::clicked, this, &CSerialProgramDlg::reject);

    showText(display(kChipType), chipName);
    session_.start();
    showCounters();
    showRun();
    program_->setEnabled(false);
}

QLineEdit* CSerialProgramDlg::addDisplay(int controlId, const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setProperty("controlId", controlId);
    edit->setEnabled(false);
    return edit;
}

QPushButton* CSerialProgramDlg::addButton(int controlId, const char* text, const char* name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setProperty("controlId", controlId);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* CSerialProgramDlg::display(int controlId) const {
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (edit->property("controlId").toInt() == controlId) {
            return edit;
        }
    }
    return nullptr;
}

QPushButton* CSerialProgramDlg::button(int controlId) const {
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->property("controlId").toInt() == controlId) {
            return b;
        }
    }
    return nullptr;
}

void CSerialProgramDlg::showRun() {
    showText(display(kStartSerial), session_.startSerialText());
    showText(display(kEndSerial), session_.endSerialText());
    showText(display(kStartAddress), session_.startAddressText());
    showText(display(kEndAddress), session_.endAddressText());
}

void CSerialProgramDlg::showCounters() {
    const SerialRunState& state = services_.context.serial;
    showText(display(kOk), state.okText);
    showText(display(kNg), state.ngText);
    showText(display(kTotal), state.totalText);
}

void CSerialProgramDlg::afterLoad(const std::string& chipName) {
    session_.setChipName(chipName);
    showText(display(kChipType), chipName);
    showRun();
    set_->setEnabled(false);
    session_.enableProgram();
    program_->setEnabled(true);
}

void CSerialProgramDlg::onSet() {
    const DeviceNoticeGate::Hold hold(services_.notices);
    const JobState& job = services_.context.shell.job;
    AppContext& context = services_.context;
    CSerialSetDlg set(
        context.serial, {false, job.exhvIspProgram != 0, job.ispProgram != 0}, services_.op,
        [this](SerialSetModel& model) {
            return model.load(
                SerialLoadTargetOf(services_.context, services_.writer, services_.op));
        },
        this);
    const bool loaded = set.exec() == QDialog::Accepted;
    session_.setFinished(loaded);
    if (loaded) {
        showRun();
    }
    program_->setEnabled(session_.programEnabled());
}

void CSerialProgramDlg::onProgram() {
    const DeviceNoticeGate::Hold hold(services_.notices);
    const auto result =
        session_.programOneChip(services_.writer, services_.context.chipXml.icInfo());
    showCounters();
    showRun();
    program_->setEnabled(session_.programEnabled());
    if (result.complete) {
        // The last chip's counters are on screen before the message box covers the dialog.
        repaint();
        session_.showComplete();
    }
}

void CSerialProgramDlg::reject() {
    session_.close();
    AfterSerialProgramClosed(services_.context, services_.writer, services_.buttons);
    QDialog::reject();
    if (services_.closed) {
        services_.closed();
    }
}

}  // namespace vexlor
