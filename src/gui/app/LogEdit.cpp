#include "gui/app/LogEdit.h"

#include <QFontMetricsF>

namespace vexlor::gui {

LogEdit::LogEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
}

void LogEdit::showEvent(QShowEvent* event) {
    if (!fontTaken_) {
        takeLogFont();
    }
    QPlainTextEdit::showEvent(event);
}

void LogEdit::takeLogFont() {
    fontTaken_ = true;
    QFont logFont("Times New Roman");
    logFont.setPixelSize(15);
    logFont.setWeight(QFont::Normal);
    setFont(logFont);
    // Self-test lines pad their labels with four tabs, or three when the label is long; the
    // results line up when the second tab stop falls between the longest four-tab label and the
    // shortest three-tab one (the shortest label still reaches past the first).
    const QFontMetricsF metrics(logFont);
    setTabStopDistance((metrics.horizontalAdvance("Download Firmware") +
                        metrics.horizontalAdvance("DAC_RVDD Voltage")) /
                       4);
}

}  // namespace vexlor::gui
