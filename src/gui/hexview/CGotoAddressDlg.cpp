#include "gui/hexview/CGotoAddressDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/base/ScanHex.h"

namespace vexlor {

CGotoAddressDlg::CGotoAddressDlg(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Go to address"));
    setObjectName(QStringLiteral("Go to address"));
    edit_->setObjectName(QStringLiteral("address"));
    auto* unit = new QLabel(QStringLiteral("(hex)"), this);
    unit->setObjectName(QStringLiteral("(hex)"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* field = new QHBoxLayout;
    field->addWidget(edit_, 1);
    field->addWidget(unit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addWidget(buttons);

    connect(edit_, &QLineEdit::textChanged, this, &CGotoAddressDlg::onTextChanged);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    edit_->setText(QStringLiteral("00000"));
    edit_->selectAll();
}

void CGotoAddressDlg::onTextChanged(const QString& text) {
    if (const auto value = ScanHex(text.toStdString())) {
        address_ = *value;
    }
}

}  // namespace vexlor
