#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

#include "core/select/IcTypeSelectModel.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vexlor {

// "IC Type Select": one instance lives as long as the main window and is run modally by the
// Device command. The widgets only show the model and forward the operator's actions to it.
class CIcTypeSelectDlg : public QDialog {
    Q_OBJECT

  public:
    CIcTypeSelectDlg(ReadChipXml& document, Operator& op, QWidget* parent = nullptr);

    // Opens the dialog modally; the selection on OK, nothing on Cancel or when the catalogue
    // could not be listed (the dialog is then never shown).
    std::optional<IcTypeSelection> run(std::int32_t chipListSelector,
                                       const std::optional<CurrentChoice>& current);

    // The start of run() without the modal loop, for a caller that drives the dialog itself.
    bool begin(std::int32_t chipListSelector, const std::optional<CurrentChoice>& current = {});
    // What OK hands back, once accepted.
    IcTypeSelection selection() const { return model_.selection(); }

    const IcTypeSelectModel& model() const { return model_; }

  protected:
    // The chip search dialog the Search button runs; a test may answer it without a modal loop.
    virtual std::string runChipSearch();

  private:
    QListWidget* list(ChipList which) const { return lists_[static_cast<std::size_t>(which)]; }
    QCheckBox* box(ModeBox which) const { return boxes_[static_cast<std::size_t>(which)]; }
    void buildWidgets();
    void connectWidgets();
    void onListRow(ChipList which, int row);
    void onSearch();
    void onOk();
    void render();
    void renderList(ChipList which);

    Operator& operator_;
    IcTypeSelectModel model_;
    std::array<QListWidget*, 4> lists_{};
    std::array<QLabel*, 4> listLabels_{};
    QGroupBox* packagesGroup_ = nullptr;
    QLabel* seriesValue_ = nullptr;
    QLabel* icTypeValue_ = nullptr;
    std::array<QCheckBox*, kModeBoxCount> boxes_{};
    QLineEdit* count_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vexlor
