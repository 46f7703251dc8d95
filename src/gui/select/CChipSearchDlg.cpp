#include "gui/select/CChipSearchDlg.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vexlor {

CChipSearchDlg::CChipSearchDlg(std::filesystem::path catalogue, QWidget* parent)
    : QDialog(parent),
      model_(std::move(catalogue)),
      edit_(new QLineEdit(this)),
      list_(new QListWidget(this)) {
    setWindowTitle("Chip Selection");
    setObjectName("chipSelection");
    edit_->setObjectName("searchText");
    list_->setObjectName("matches");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(260, 320);

    connect(edit_, &QLineEdit::textEdited, this, &CChipSearchDlg::onTextEdited);
    connect(list_, &QListWidget::currentRowChanged, this, &CChipSearchDlg::onRowChanged);

    // The list opens with every chip of the catalogue.
    model_.setText("");
    render();
    edit_->setFocus();
}

void CChipSearchDlg::onTextEdited(const QString& text) {
    model_.setText(text.toStdString());
    render();
}

void CChipSearchDlg::onRowChanged(int row) {
    if (row >= 0) {
        model_.selectEntry(row);
        render();
    }
}

void CChipSearchDlg::render() {
    const QString text = QString::fromStdString(model_.text());
    if (edit_->text() != text) {
        // Typed letters become capitals where they were typed.
        const int cursor = edit_->cursorPosition();
        const QSignalBlocker blockEdit(edit_);
        edit_->setText(text);
        edit_->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    }
    const QSignalBlocker blockList(list_);
    list_->clear();
    for (const std::string& name : model_.names()) {
        list_->addItem(QString::fromStdString(name));
    }
    list_->setCurrentRow(model_.selection());
}

}  // namespace vexlor
