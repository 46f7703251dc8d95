#include "gui/app/WidgetLook.h"

#include <QFont>
#include <QPalette>

namespace vexlor::gui {

void SetBoldText(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace vexlor::gui
