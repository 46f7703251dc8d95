#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>
#include <QString>

#include "core/hexview/HexAddressText.h"
#include "core/hexview/HexViewModel.h"

namespace vexlor {

// The scrolling hex and character view of the main window. It measures its fixed-pitch font,
// hands every input to HexViewModel and paints what the model holds.
class CMiniHexEditView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // `parentControlId` names the profile section of the row length: the control the view
    // stands on.
    explicit CMiniHexEditView(QWidget* parent = nullptr, int parentControlId = kLogEditControlId);

    void setOptions(const HexViewOptions& options);

    // An empty path paints the area white and keeps the buffer. A file that cannot be read
    // leaves the view as it was and returns false, with the reason in lastError().
    bool showFile(const QString& path);
    QString lastError() const { return lastError_; }

    bool isBlank() const { return blank_; }
    const HexViewModel& model() const { return model_; }
    // The QSettings key of the row length ("m_lpr").
    QString rowLengthSettingsKey() const;

    QSize sizeHint() const override;
    // As wide as a whole row: the window never cuts off the character column.
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void measureFont();
    void onScrollAction(int action);
    void applyScrollBar();
    // After every change of the model: scroll bar, caret and picture follow.
    void refresh();
    void openGoToAddress();
    void dragTo(const QPoint& point);
    bool handleCtrlKey(const QKeyEvent& event);
    void paintRows(QPainter& painter) const;
    void paintCaret(QPainter& painter) const;

    HexViewModel model_;
    int parentControlId_;
    bool blank_ = false;
    QString lastError_;

    bool pressPending_ = false;
    bool dragging_ = false;
    QPoint pressPoint_;
    QPoint lastDragPoint_;
    QBasicTimer dragScrollTimer_;

    QBasicTimer caretTimer_;
    bool caretOn_ = true;
};

}  // namespace vexlor
