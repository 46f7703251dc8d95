#pragma once

#include <QDialog>

namespace vexlor::gui {

// The About box (resource number dialog 100): program name, version and copyright.
class CAboutDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace vexlor::gui
