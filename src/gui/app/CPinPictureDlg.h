#pragma once

#include <QDialog>
#include <QLabel>
#include <QPixmap>

namespace vexlor::gui {

// The pin picture window (resource number dialog 103): the chip's pin placement picture, enlarged.
// Modeless; it follows the window size.
class CPinPictureDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CPinPictureDlg(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void scalePicture();

    QLabel* view_;
    QPixmap picture_;
};

}  // namespace vexlor::gui
