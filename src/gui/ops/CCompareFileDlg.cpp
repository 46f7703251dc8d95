#include "gui/ops/CCompareFileDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexlor {

CCompareFileDlg::CCompareFileDlg(JobServices& services, const DownloadFileTexts& texts,
                                 QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName("DownloadFileInformation");
    setWindowTitle("Download File Information");
    auto* layout = new QVBoxLayout(this);
    const auto addLabel = [this, layout](const std::string& text, const char* name) {
        auto* label = new QLabel(QString::fromStdString(text), this);
        label->setObjectName(name);
        layout->addWidget(label);
        return label;
    };
    addLabel(texts.chipName, "ChipName");
    addLabel(texts.downloadTime, "DownloadTime");
    result_ = addLabel("", "CompareResult");
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    compare_ = new QPushButton("Compare File", this);
    compare_->setObjectName("CompareFile");
    compare_->setDefault(true);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("Cancel");
    buttons->addStretch();
    buttons->addWidget(compare_);
    buttons->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(compare_, &QPushButton::clicked, this,
            [this] { OnCompareFileButton(services_, *this); });
    setMinimumWidth(fontMetrics().horizontalAdvance("Download File Time :0000/00/00_00:00:00") +
                    80);
}

void CCompareFileDlg::setButtonsEnabled(bool enabled) {
    compare_->setEnabled(enabled);
    cancel_->setEnabled(enabled);
}

void CCompareFileDlg::showResult(const std::string& text) {
    result_->setText(QString::fromStdString(text));
    result_->repaint();
}

}  // namespace vexlor
