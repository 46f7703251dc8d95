#include "gui/app/CPinPictureDlg.h"

#include <QVBoxLayout>

#include "gui/app/WidgetLook.h"

namespace vexlor::gui {

CPinPictureDlg::CPinPictureDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("pinPictureDialog");
    setWindowTitle("Pin Picture");
    setModal(false);
    view_ = new QLabel(this);
    view_->setObjectName("pinPictureLarge");
    view_->setAlignment(Qt::AlignCenter);
    view_->setMinimumSize(200, 150);
    SetBackground(view_, Qt::white);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(view_);
    resize(640, 480);
}

void CPinPictureDlg::setPicture(const QPixmap& picture) {
    picture_ = picture;
    scalePicture();
}

void CPinPictureDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    scalePicture();
}

void CPinPictureDlg::scalePicture() {
    if (picture_.isNull()) {
        view_->clear();
        return;
    }
    view_->setPixmap(picture_.scaled(view_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace vexlor::gui
