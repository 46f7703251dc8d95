#pragma once

#include <QDialog>

#include "core/smartopt/SmartOptionPage.h"

namespace vexlor {

class COptionView;

// "Smart Option", known by its resource number as dialog 159: the items of the selected chip
// with the settings the system configuration word holds.
class CSmartOptionDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CSmartOptionDlg(const SmartOptionPage& page, QWidget* parent = nullptr);

    COptionView* view() const { return view_; }

  private:
    COptionView* view_ = nullptr;
};

}  // namespace vexlor
