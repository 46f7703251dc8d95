#include "gui/smartopt/CSmartOptionDlg.h"

#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/smartopt/COptionView.h"

namespace vexlor {

namespace {

constexpr int kInitialWidth = 360;
constexpr int kHighestView = 420;
// A view narrower than its widest row is widened to it plus this.
constexpr int kWidthSlack = 32;

}  // namespace

CSmartOptionDlg::CSmartOptionDlg(const SmartOptionPage& page, QWidget* parent) : QDialog(parent) {
    setObjectName("SmartOption");
    setWindowTitle(QString::fromStdString(page.title));
    auto* layout = new QVBoxLayout(this);
    view_ = new COptionView(page, this);
    layout->addWidget(view_);
    const QSize content = view_->contentSize();
    // Taller content scrolls; the width always shows a whole row.
    view_->setMinimumSize(std::max(kInitialWidth, content.width() + kWidthSlack),
                          std::min(kHighestView, content.height() + view_->frameWidth() * 2));
}

}  // namespace vexlor
