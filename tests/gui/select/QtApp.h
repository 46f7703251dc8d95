#pragma once

#include <QWidget>

namespace vexlor::test {

// The one application object the widget tests need (offscreen platform).
void EnsureQtApplication();

// Clicks a list entry the way the operator would.
void ClickRow(QWidget* list, int row);

}  // namespace vexlor::test
