// hexview-demo FILE [--select]: the hex view alone in a window, showing FILE. With --select
// the caret is put on the second row of the hex column and a few bytes are selected with
// Shift+Right, as an operator would.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

#include "gui/hexview/CMiniHexEditView.h"

namespace {

void selectSomeBytes(vexlor::CMiniHexEditView& view) {
    const vexlor::ViewMetrics& m = view.model().metrics();
    const QPointF point(view.model().columnOffsets().hex + 3 * vexlor::kHexCellChars * m.charWidth,
                        m.lineHeight * 1.5);
    QWidget* target = view.viewport();
    QMouseEvent press(QEvent::MouseButtonPress, point, target->mapToGlobal(point), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, point, target->mapToGlobal(point),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    for (int i = 0; i < 21; ++i) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
        QApplication::sendEvent(&view, &key);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vexlor"));
    QApplication::setApplicationName(QStringLiteral("hexview-demo"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: hexview-demo FILE [--select]\n");
        return 2;
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Vexlor Writer - ") + args.at(1));
    auto* view = new vexlor::CMiniHexEditView(&window);
    vexlor::HexViewOptions options;
    options.wideAddress = true;
    view->setOptions(options);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(view);
    window.resize(view->sizeHint() + QSize(12, 12));
    window.show();
    if (!view->showFile(args.at(1))) {
        std::fprintf(stderr, "%s\n", qPrintable(view->lastError()));
        return 1;
    }
    window.activateWindow();
    view->setFocus();
    if (args.contains(QStringLiteral("--select"))) {
        QTimer::singleShot(0, view, [view] { selectSomeBytes(*view); });
    }
    return QApplication::exec();
}
