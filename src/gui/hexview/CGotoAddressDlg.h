#pragma once

#include <QDialog>
#include <cstdint>

class QLineEdit;

namespace vexlor {

// "Go to address": one hexadecimal field. The address follows every edit; text without a
// hexadecimal number leaves the last address read.
class CGotoAddressDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CGotoAddressDlg(QWidget* parent = nullptr);

    std::uint64_t address() const { return address_; }

  private:
    void onTextChanged(const QString& text);

    QLineEdit* edit_;
    std::uint64_t address_ = 0;
};

}  // namespace vexlor
