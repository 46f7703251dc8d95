#include "gui/select/CChipSearchDlg.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
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

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        closing_ = SearchClosing::Ok;
        accept();
    });
    connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, [this] {
        closing_ = SearchClosing::Cancel;
        reject();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(260, 320);

    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setText(text.toStdString());
        render();
    });
    // A press makes the entry current, the release clicks it: moving by keys only highlights.
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.highlightEntry(row);
        render();
    });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        model_.selectEntry(list_->row(item));
        render();
    });
    edit_->installEventFilter(this);

    // The list opens with every chip of the catalogue.
    model_.setText("");
    render();
    edit_->setFocus();
}

bool CChipSearchDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && list_->count() > 0) {
        list_->setFocus();
        if (list_->currentRow() < 0) {
            list_->setCurrentRow(0);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
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
    QStringList names;
    for (const std::string& name : model_.names()) {
        names << QString::fromStdString(name);
    }
    // Rebuilt only when the names change, so a click in progress keeps its entry.
    bool same = list_->count() == names.size();
    for (int i = 0; same && i < list_->count(); ++i) {
        same = list_->item(i)->text() == names[i];
    }
    if (!same) {
        list_->clear();
        list_->addItems(names);
    }
    list_->setCurrentRow(model_.selection());
}

}  // namespace vexlor
