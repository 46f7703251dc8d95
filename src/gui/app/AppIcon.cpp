#include "gui/app/AppIcon.h"

#include <QPainter>
#include <QPixmap>

#include "gui/app/DeferredIcon.h"

namespace vexlor::gui {

namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(30, 60, 110), 1.2));
    p.setBrush(QColor(70, 120, 190));
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 4, 4);
    p.setBrush(QColor(35, 35, 40));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(10, 7, 12, 18));
    p.setBrush(QColor(220, 220, 225));
    for (int pin = 0; pin < 4; ++pin) {
        qreal y = 8.5 + pin * 4.2;
        p.drawRect(QRectF(7.5, y, 2.5, 1.8));
        p.drawRect(QRectF(22, y, 2.5, 1.8));
    }
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QRectF(11.5, 8.5, 2.4, 2.4));
    return pixmap;
}

}  // namespace

QIcon WriterIcon() {
    return DeferredIcon([] {
        QIcon icon;
        for (int size : {16, 32, 48, 64}) {
            icon.addPixmap(drawIcon(size));
        }
        return icon;
    });
}

}  // namespace vexlor::gui
