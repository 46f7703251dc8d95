#pragma once

#include <QDialog>
#include <functional>

#include "core/serial/SerialSetModel.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vexlor {

// "Serial Number Set" (dialog 161): length, start address, first number, amount and direction
// of a run. Load hands the model to load, which checks and writes the run; the dialog ends
// with Load only when that succeeds. In show-only use every control is disabled.
class CSerialSetDlg : public QDialog {
    Q_OBJECT

  public:
    using LoadFn = std::function<bool(SerialSetModel&)>;

    CSerialSetDlg(SerialRunState& state, SerialSetOptions options, Operator& op, LoadFn load,
                  QWidget* parent = nullptr);

    QLineEdit* edit(int controlId) const;
    QRadioButton* lowByte() const { return lowByte_; }
    QRadioButton* highByte() const { return highByte_; }
    QPushButton* loadButton() const { return load_; }

  private:
    QLineEdit* addEdit(int controlId, const char* name, int maxLength);
    void showFields();
    void onLoad();

    SerialSetModel model_;
    Operator& op_;
    LoadFn loadFn_;
    QLineEdit* length_ = nullptr;
    QLineEdit* startAddress_ = nullptr;
    QLineEdit* firstSerial_ = nullptr;
    QLineEdit* amount_ = nullptr;
    QRadioButton* lowByte_ = nullptr;
    QRadioButton* highByte_ = nullptr;
    QPushButton* load_ = nullptr;
};

}  // namespace vexlor
