#include "gui/ops/CReadChipInfoDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexlor {

namespace {

void setText(QLabel* label, const std::optional<std::string>& text) {
    if (text) {
        label->setText(QString::fromStdString(*text));
        label->repaint();
    }
}

}  // namespace

CReadChipInfoDlg::CReadChipInfoDlg(JobServices& services, bool supported, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName("ReadChipInformation");
    setWindowTitle("Read CHIP Information");
    auto* layout = new QVBoxLayout(this);
    chipName_ = addLabel("Chip Name:", "ChipName");
    systemConfig_ = addLabel("System Config:", "SystemConfig");
    checksum_ = addLabel("Checksum:", "Checksum");
    id_ = addLabel("ID:", "ID");
    for (QLabel* label : {chipName_, systemConfig_, checksum_, id_}) {
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    read_ = new QPushButton("Read", this);
    read_->setObjectName("Read");
    read_->setDefault(true);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("Cancel");
    buttons->addStretch();
    buttons->addWidget(read_);
    buttons->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(read_, &QPushButton::clicked, this, [this] { OnReadChipInfoRead(services_, *this); });

    read_->setEnabled(supported);
    showLabels(ChipInfoOpeningLabels(supported, services_.context.link.optionHeader));
    // Room for the longest label, the user checksum line, without resizing while it reads.
    setMinimumWidth(
        fontMetrics().horizontalAdvance("Checksum : 0000   /   Library Checksum : 0000") + 40);
}

QLabel* CReadChipInfoDlg::addLabel(const char* text, const char* name) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    return label;
}

void CReadChipInfoDlg::setButtonsEnabled(bool enabled) {
    read_->setEnabled(enabled);
    cancel_->setEnabled(enabled);
}

void CReadChipInfoDlg::showLabels(const ChipInfoLabels& labels) {
    setText(chipName_, labels.chipName);
    setText(systemConfig_, labels.systemConfig);
    setText(checksum_, labels.checksum);
    setText(id_, labels.id);
}

}  // namespace vexlor
