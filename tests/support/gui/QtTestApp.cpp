#include "support/gui/QtTestApp.h"

#include <QApplication>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace vexlor::test {

void EnsureQtApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "vexlor_gui_tests";
    static char* argv[] = {name, nullptr};
    // Kept for the whole process: widgets of one test may outlive the test's own objects.
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
    // What the windows keep in their settings stays within this test run.
    static QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
}

void ClickRow(QWidget* widget, int row) {
    auto* list = qobject_cast<QListWidget*>(widget);
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void AnswerNextModal(std::function<void(QWidget* dialog)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        answer(dialog);
    });
    poll->start(5);
}

}  // namespace vexlor::test
