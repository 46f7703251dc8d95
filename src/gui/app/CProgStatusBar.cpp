#include "gui/app/CProgStatusBar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QPainter>

#include "gui/app/WidgetLook.h"

namespace vexlor::gui {

namespace {

constexpr int kIconSize = 16;

// Connected: a green lamp; not connected: a grey one with a red bar across.
QPixmap connectionIcon(bool connected) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(connected ? QColor(40, 170, 60) : QColor(150, 150, 150));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    if (!connected) {
        painter.setPen(QPen(QColor(200, 30, 30), 2));
        painter.drawLine(4, 12, 12, 4);
    }
    return pixmap;
}

}  // namespace

CProgStatusBar::CProgStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName("statusBar");
    setSizeGripEnabled(true);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(200, 200, 200));
    setPalette(background);

    auto* paneZero = new QWidget(this);
    paneZero->setObjectName("statusPane0");
    auto* zeroLayout = new QHBoxLayout(paneZero);
    zeroLayout->setContentsMargins(4, 0, 4, 0);
    paneZero_ = new QLabel(kIdleMessage, paneZero);
    paneZero_->setObjectName("statusText");
    paneZero_->setMinimumWidth(160);
    position_ = new QLabel(paneZero);
    position_->setObjectName("mousePosition");
    position_->setMinimumWidth(90);
    progress_ = new QProgressBar(paneZero);
    progress_->setObjectName("statusProgress");
    progress_->setTextVisible(false);
    progress_->setFixedWidth(180);
    progress_->setMaximumHeight(14);
    progress_->hide();
    zeroLayout->addWidget(paneZero_);
    zeroLayout->addWidget(position_);
    zeroLayout->addWidget(progress_);
    addWidget(paneZero);

    auto* paneOne = new QWidget(this);
    paneOne->setObjectName("statusPane1");
    auto* oneLayout = new QHBoxLayout(paneOne);
    oneLayout->setContentsMargins(4, 0, 4, 0);
    icon_ = new QLabel(paneOne);
    icon_->setObjectName("connectionIcon");
    version_ = new QLabel(" ", paneOne);
    version_->setObjectName("connectionText");
    simulated_ = new QLabel("Simulated writer", paneOne);
    simulated_->setObjectName("simulatedMark");
    SetBoldText(simulated_, QColor(0x8a, 0x4b, 0x00));
    simulated_->hide();
    oneLayout->addWidget(icon_);
    oneLayout->addWidget(version_, 1);
    oneLayout->addWidget(simulated_);
    addWidget(paneOne, 1);
    showConnection({ConnectionIcon::NotConnected, "USB was not connected"});
}

void CProgStatusBar::onEvent(const ProgressEvent& event) {
    switch (event.kind) {
        case ProgressKind::Range:
            showRange(event.low, event.high);
            break;
        case ProgressKind::Position:
            showPosition(event.position);
            break;
        case ProgressKind::AlmostDone:
            showAlmostDone();
            break;
        default:
            break;
    }
}

void CProgStatusBar::showRange(int low, int high) {
    progress_->setRange(low & 0xFFFF, high & 0xFFFF);
    progress_->setValue(progress_->minimum());
}

void CProgStatusBar::showPosition(int position) {
    // A progress control holds its value at the ends of its range; Qt would ignore it instead.
    progress_->setValue(std::clamp(position, progress_->minimum(), progress_->maximum()));
    if (position != 0) {
        progress_->show();
    } else {
        progress_->hide();
    }
}

void CProgStatusBar::showAlmostDone() {
    if (progress_->maximum() >= 2) {
        progress_->setValue(progress_->maximum() - 1);
    }
}

void CProgStatusBar::showStatus(const QString& text) {
    paneZero_->setText(text);
    // The writer may keep the thread busy for seconds after this: paint it now.
    paneZero_->repaint();
}

void CProgStatusBar::showMousePosition(int x, int y) {
    position_->setText(QString("X=%1 Y=%2").arg(x).arg(y));
}

void CProgStatusBar::showConnection(const ConnectionStatus& status) {
    connected_ = status.icon == ConnectionIcon::Connected;
    icon_->setPixmap(connectionIcon(connected_));
    version_->setText(QString::fromStdString(status.text));
    repaint();
}

void CProgStatusBar::showSimulated(bool simulated) {
    simulated_->setVisible(simulated);
}

QString CProgStatusBar::paneText(int pane) const {
    return pane == 0 ? paneZero_->text() : version_->text();
}

}  // namespace vexlor::gui
