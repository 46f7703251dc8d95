#pragma once

#include <QDialog>

#include "core/ops/JobServices.h"

class QRadioButton;
class QPushButton;

namespace vexlor {

// "Option Select", known by its resource number as dialog 135: Unprotect / Protect, Fast / Dual
// mode, 32KHz disable / enable. A choice preset to -1 hides its pair. A click changes its choice at
// once; OK or Cancel ends the dialog.
class COptionSelectDlg : public QDialog {
    Q_OBJECT

  public:
    explicit COptionSelectDlg(QWidget* parent = nullptr);

    void setChoices(const OptionChoices& choices);
    const OptionChoices& choices() const { return choices_; }

    QPushButton* okButton() const { return ok_; }

  private:
    QRadioButton* addRadio(const char* text, const char* name);

    OptionChoices choices_;
    QRadioButton* unprotect_ = nullptr;
    QRadioButton* protect_ = nullptr;
    QRadioButton* fast_ = nullptr;
    QRadioButton* dual_ = nullptr;
    QRadioButton* clockDisable_ = nullptr;
    QRadioButton* clockEnable_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Option Select run modally over a window.
class QtOptionSelect final : public OptionSelectDialog {
  public:
    explicit QtOptionSelect(QWidget* parent) : parent_(parent) {}
    bool run(OptionChoices& choices) override;

  private:
    QWidget* parent_;
};

}  // namespace vexlor
