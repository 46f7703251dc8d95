#pragma once

#include <QDialog>

#include "core/ops/ChipInfo.h"

class QLabel;
class QPushButton;

namespace vexlor {

// "Read CHIP Information", known by its resource number as dialog 206. Read makes the writer
// read the chip in its socket; the labels show what core worked out.
class CReadChipInfoDlg : public QDialog, private ChipInfoView {
    Q_OBJECT

  public:
    CReadChipInfoDlg(JobServices& services, bool supported, QWidget* parent = nullptr);

  private:
    void setButtonsEnabled(bool enabled) override;
    void showLabels(const ChipInfoLabels& labels) override;
    QLabel* addLabel(const char* text, const char* name);

    JobServices& services_;
    QLabel* chipName_ = nullptr;
    QLabel* systemConfig_ = nullptr;
    QLabel* checksum_ = nullptr;
    QLabel* id_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vexlor
