#pragma once

#include <functional>

class QWidget;

namespace vexlor::test {

// The one application object of a widget test program, on the offscreen platform unless the
// environment names another.
void EnsureQtApplication();

// Clicks a list entry the way the operator would.
void ClickRow(QWidget* list, int row);

// Hands the next modal dialog to `answer` once it is up; the code that opens it may first run
// other steps.
void AnswerNextModal(std::function<void(QWidget* dialog)> answer);

}  // namespace vexlor::test
