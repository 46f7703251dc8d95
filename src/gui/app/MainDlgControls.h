#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QStackedWidget>

#include "gui/hexview/CMiniHexEditView.h"

namespace vexlor::gui {

// The controls of the main window, laid out on its surface. Every control is kept under its
// ControlId; the few the window writes into directly also have a pointer of their own.
struct MainDlgControls {
    QMap<int, QWidget*> byId;
    QLineEdit* chipName = nullptr;
    QLineEdit* filePath = nullptr;
    QLineEdit* checksum = nullptr;
    QPlainTextEdit* log = nullptr;
    // Shows either the log or the hex view that normally covers it.
    QStackedWidget* logArea = nullptr;
    CMiniHexEditView* hexView = nullptr;
    QLabel* picture = nullptr;
};

// Operation buttons on the left, the job and the log area in the middle, the fuse group, mode
// labels and pin picture on the right.
MainDlgControls LayOutMainDlgControls(QWidget* surface);

}  // namespace vexlor::gui
