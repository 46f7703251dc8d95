#include "gui/serial/CSerialSetDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/serial/EditText.h"

namespace vexlor {

namespace {

enum SerialSetControl : int {
    kStartAddress = 1049,
    kFirstSerial = 1052,
    kAmount = 1054,
    kLowByte = 1056,
    kHighByte = 1057,
    kLength = 1058,
};

}  // namespace

CSerialSetDlg::CSerialSetDlg(SerialRunState& state, SerialSetOptions options, Operator& op,
                             LoadFn load, QWidget* parent)
    : QDialog(parent), model_(state, options), op_(op), loadFn_(std::move(load)) {
    setObjectName("SerialNumberSet");
    setWindowTitle("Serial Number Set");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    length_ = addEdit(kLength, "SNLength", 2);
    startAddress_ = addEdit(kStartAddress, "SNStartAddress", 4);
    firstSerial_ = addEdit(kFirstSerial, "StartSerialNO", 32);
    amount_ = addEdit(kAmount, "SNAmount", 8);
    firstSerial_->setMinimumWidth(firstSerial_->fontMetrics().horizontalAdvance('0') * 34);
    form->addRow("S/N Length [Hex]:", length_);
    form->addRow("S/N Start Address (Hex) :", startAddress_);
    form->addRow("Start Serial NO (Hex) : ", firstSerial_);
    form->addRow("S/N Amount (Hex) : ", amount_);

    auto* direction = new QGroupBox("Direction (MSB in) : ", this);
    direction->setObjectName("Direction");
    auto* directionRow = new QHBoxLayout(direction);
    lowByte_ = new QRadioButton("Low Byte", direction);
    lowByte_->setObjectName("LowByte");
    highByte_ = new QRadioButton("Hight Byte", direction);
    highByte_->setObjectName("HightByte");
    directionRow->addWidget(lowByte_);
    directionRow->addWidget(highByte_);
    layout->addWidget(direction);

    auto* buttons = new QHBoxLayout;
    load_ = new QPushButton("Load", this);
    load_->setObjectName("Load");
    load_->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Cancel");
    buttons->addStretch(1);
    buttons->addWidget(load_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(length_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.lengthEdited(text.toStdString(), op_);
        showFields();
    });
    connect(startAddress_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.startAddressEdited(text.toStdString()); });
    connect(firstSerial_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.firstSerialEdited(text.toStdString());
        showFields();
    });
    connect(amount_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.amountEdited(text.toStdString()); });
    connect(lowByte_, &QRadioButton::clicked, this, [this] { model_.directionChosen(0); });
    connect(highByte_, &QRadioButton::clicked, this, [this] { model_.directionChosen(1); });
    connect(load_, &QPushButton::clicked, this, &CSerialSetDlg::onLoad);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    model_.open();
    showFields();
    (state.direction == 1 ? highByte_ : lowByte_)->setChecked(true);
    // The writer only takes the most significant byte first.
    highByte_->setEnabled(false);
    if (!model_.editable()) {
        for (QWidget* control :
             {static_cast<QWidget*>(length_), static_cast<QWidget*>(startAddress_),
              static_cast<QWidget*>(firstSerial_), static_cast<QWidget*>(amount_),
              static_cast<QWidget*>(load_), static_cast<QWidget*>(lowByte_)}) {
            control->setEnabled(false);
        }
    }
}

QLineEdit* CSerialSetDlg::addEdit(int controlId, const char* name, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setProperty("controlId", controlId);
    return edit;
}

QLineEdit* CSerialSetDlg::edit(int controlId) const {
    for (QLineEdit* edit : {length_, startAddress_, firstSerial_, amount_}) {
        if (edit->property("controlId").toInt() == controlId) {
            return edit;
        }
    }
    return nullptr;
}

void CSerialSetDlg::showFields() {
    const SerialSetFields& fields = model_.fields();
    showText(length_, fields.length);
    showText(startAddress_, fields.startAddress);
    showText(firstSerial_, fields.firstSerial);
    showText(amount_, fields.amount);
}

void CSerialSetDlg::onLoad() {
    const bool loaded = loadFn_(model_);
    showFields();
    if (loaded) {
        accept();
    }
}

}  // namespace vexlor
