#include "QtApp.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

namespace vexlor::test {

void EnsureQtApplication() {
    // Widget tests never need a display, however they are started.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "vexlor_gui_select_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = QApplication::instance() == nullptr
                                   ? new QApplication(argc, argv)
                                   : static_cast<QApplication*>(QApplication::instance());
    (void)app;
}

void ClickRow(QWidget* widget, int row) {
    auto* list = qobject_cast<QListWidget*>(widget);
    QListWidgetItem* item = list->item(row);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
}

}  // namespace vexlor::test

// The font library keeps its configuration for the life of the process; the leak checker of
// the sanitizer build must not count it against the dialogs.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
