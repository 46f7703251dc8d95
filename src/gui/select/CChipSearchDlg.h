#pragma once

#include <QDialog>
#include <filesystem>
#include <string>

#include "core/select/ChipSearchModel.h"

class QLineEdit;
class QListWidget;

namespace vexlor {

// "Chip Selection": type part of a chip name, pick from the chips containing it. The caller
// looks the text up after the dialog has closed, however it was closed.
class CChipSearchDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CChipSearchDlg(std::filesystem::path catalogue, QWidget* parent = nullptr);

    std::string searchText() const { return model_.text(); }

  private:
    void onTextEdited(const QString& text);
    void onRowChanged(int row);
    void render();

    ChipSearchModel model_;
    QLineEdit* edit_;
    QListWidget* list_;
};

}  // namespace vexlor
