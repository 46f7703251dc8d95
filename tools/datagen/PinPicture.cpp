#include "PinPicture.h"

#include <QFont>
#include <QPainter>

namespace vexlor::datagen {

namespace {

constexpr int kSize = 360;
constexpr int kMargin = 48;  // room for the pin numbers outside the body
constexpr int kPinLength = 14;

struct Canvas {
    QPainter& painter;
    QRect body;
};

// A pin on one side of the body. Sides: 0 left (down), 1 bottom (right), 2 right (up), 3 top
// (left), so walking the sides in order numbers the pins counter-clockwise.
void DrawPin(Canvas& canvas, int side, int index, int perSide, int number) {
    const QRect& body = canvas.body;
    const bool vertical = side == 0 || side == 2;
    const int span = vertical ? body.height() : body.width();
    const int pitch = span / (perSide + 1);
    const int along = pitch * (index + 1);
    const int width = std::max(3, std::min(10, pitch / 2));
    QRect pin;
    QRect label;
    switch (side) {
        case 0:
            pin =
                QRect(body.left() - kPinLength, body.top() + along - width / 2, kPinLength, width);
            label = QRect(pin.left() - 30, pin.center().y() - 8, 28, 16);
            break;
        case 1:
            pin = QRect(body.left() + along - width / 2, body.bottom(), width, kPinLength);
            label = QRect(pin.center().x() - 14, pin.bottom() + 2, 28, 16);
            break;
        case 2:
            pin = QRect(body.right(), body.bottom() - along - width / 2, kPinLength, width);
            label = QRect(pin.right() + 2, pin.center().y() - 8, 28, 16);
            break;
        default:
            pin =
                QRect(body.right() - along - width / 2, body.top() - kPinLength, width, kPinLength);
            label = QRect(pin.center().x() - 14, pin.top() - 18, 28, 16);
            break;
    }
    canvas.painter.fillRect(pin, QColor(150, 150, 150));
    canvas.painter.drawRect(pin);
    const int flags = side == 0   ? Qt::AlignRight | Qt::AlignVCenter
                      : side == 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                  : Qt::AlignCenter;
    canvas.painter.drawText(label, flags, QString::number(number));
}

}  // namespace

QImage DrawPinPicture(const PackageShape& shape, const std::string& chipName,
                      const std::string& packageName) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font("DejaVu Sans");
    font.setPixelSize(shape.pins > 32 ? 8 : 11);
    painter.setFont(font);

    const bool quad = shape.outline == PackageOutline::Quad;
    const int perSide = quad ? shape.pins / 4 : shape.pins / 2;
    const int bodyWidth = quad ? kSize - 2 * kMargin - 2 * kPinLength : 120;
    const int bodyHeight = kSize - 2 * kMargin - 2 * kPinLength - 24;
    QRect body(0, 0, bodyWidth, bodyHeight);
    body.moveCenter(QPoint(kSize / 2, kSize / 2 - 12));
    Canvas canvas{painter, body};

    painter.setPen(QPen(Qt::black, 1));
    painter.fillRect(body, QColor(40, 40, 40));
    painter.drawRect(body);
    int number = 1;
    const int sides[] = {0, 1, 2, 3};
    for (int side : sides) {
        const bool used = quad || side == 0 || side == 2;
        for (int i = 0; used && i < perSide; ++i) {
            DrawPin(canvas, side, i, perSide, number++);
        }
    }

    // Pin-1 mark: a notch on the top edge for dual-in-line bodies, a dot in the corner for quad.
    painter.setBrush(Qt::white);
    if (quad) {
        painter.drawEllipse(QPoint(body.left() + 14, body.top() + 14), 5, 5);
    } else {
        painter.drawPie(QRect(body.center().x() - 12, body.top() - 12, 24, 24), 180 * 16, 180 * 16);
    }

    QFont nameFont("DejaVu Sans");
    nameFont.setPixelSize(quad ? 20 : 14);
    nameFont.setBold(true);
    painter.setFont(nameFont);
    painter.setPen(Qt::white);
    painter.drawText(body, Qt::AlignCenter | Qt::TextWrapAnywhere,
                     QString::fromStdString(chipName));
    painter.setPen(Qt::black);
    painter.setFont(font);
    painter.drawText(QRect(0, kSize - 22, kSize, 20), Qt::AlignCenter,
                     QString::fromStdString(packageName));
    painter.end();
    return image;
}

}  // namespace vexlor::datagen
