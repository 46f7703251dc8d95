#include "gui/app/QtPaintPump.h"

#include <QCoreApplication>
#include <QEvent>

namespace vexlor::gui {

void QtPaintPump::pumpPaint() {
    // A widget's update() posts one UpdateRequest to its window; sending just those repaints
    // what changed (the progress bar above all) and leaves every other event queued.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

}  // namespace vexlor::gui
