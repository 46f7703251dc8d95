#include "gui/app/CAboutDlg.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/AppIcon.h"

namespace vexlor::gui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("aboutDialog");
    setWindowTitle("About Vexlor_Writer");
    auto* icon = new QLabel(this);
    icon->setObjectName("aboutIcon");
    icon->setPixmap(WriterIcon().pixmap(48, 48));
    auto* name = new QLabel(
        QString("Vexlor_Writer Version %1").arg(QCoreApplication::applicationVersion()), this);
    name->setObjectName("aboutVersion");
    auto* copyright = new QLabel("Copyright (C) Vexlor", this);
    copyright->setObjectName("aboutCopyright");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName("aboutButtons");
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(copyright);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

}  // namespace vexlor::gui
