#pragma once

#include <QDialog>

#include "core/ops/FileCompare.h"

class QLabel;
class QPushButton;

namespace vexlor {

// "Download File Information", known by its resource number as dialog 207: the chip and time
// of the download the writer holds, and the compare of a program file with it.
class CCompareFileDlg : public QDialog, private CompareFileView {
    Q_OBJECT

  public:
    CCompareFileDlg(JobServices& services, const DownloadFileTexts& texts,
                    QWidget* parent = nullptr);

  private:
    void setButtonsEnabled(bool enabled) override;
    void showResult(const std::string& text) override;

    JobServices& services_;
    QLabel* result_ = nullptr;
    QPushButton* compare_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vexlor
