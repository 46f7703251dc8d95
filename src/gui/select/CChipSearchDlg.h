#pragma once

#include <QDialog>
#include <filesystem>
#include <string>

#include "core/select/ChipSearchModel.h"

class QLineEdit;
class QListWidget;

namespace vexlor {

// "Chip Selection": type part of a chip name, pick from the chips containing it. The caller
// looks the name up after the dialog has closed; Cancel leaves it nothing to look up.
class CChipSearchDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CChipSearchDlg(std::filesystem::path catalogue, QWidget* parent = nullptr);

    std::string searchText() const { return model_.lookUpText(closing_); }

  protected:
    // Down in the edit goes on into the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void render();

    ChipSearchModel model_;
    QLineEdit* edit_;
    QListWidget* list_;
    SearchClosing closing_ = SearchClosing::Dismissed;
};

}  // namespace vexlor
