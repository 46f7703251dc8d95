#pragma once

#include <QColor>
#include <QWidget>

namespace vexlor::gui {

// Colours and weights set through palette and font: a style sheet would cost a parse and a
// style of its own for every widget that carries one.
void SetBoldText(QWidget* widget, const QColor& colour);
void SetBackground(QWidget* widget, const QColor& colour);

}  // namespace vexlor::gui
