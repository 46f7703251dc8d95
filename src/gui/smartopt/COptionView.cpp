#include "gui/smartopt/COptionView.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace vexlor {

namespace {

constexpr int kMargin = 2;
constexpr int kLabelGap = 2;
constexpr int kLabelDrop = 4;
constexpr int kListExtraWidth = 32;
constexpr int kScrollSlack = 8;

// Labels are not widgets: the canvas paints them where the layout put them.
class OptionCanvas : public QWidget {
  public:
    OptionCanvas(const std::vector<COptionView::Label>& labels, QWidget* parent)
        : QWidget(parent), labels_(labels) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int height = fontMetrics().height();
        for (const COptionView::Label& label : labels_) {
            painter.setPen(label.color);
            painter.drawText(
                QRect(label.topLeft, QSize(fontMetrics().horizontalAdvance(label.text), height)),
                Qt::AlignLeft | Qt::AlignTop, label.text);
        }
    }

  private:
    const std::vector<COptionView::Label>& labels_;
};

int widestText(const QFontMetrics& metrics, const std::vector<std::string>& texts) {
    int widest = 0;
    for (const std::string& text : texts) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
    }
    return widest;
}

}  // namespace

COptionView::COptionView(const SmartOptionPage& page, QWidget* parent) : QScrollArea(parent) {
    setObjectName("OptionView");
    auto* canvas = new OptionCanvas(labels_, this);
    canvas->setObjectName("OptionCanvas");
    const QFontMetrics metrics = canvas->fontMetrics();
    // Rows are 12 dialog units apart (a dialog unit is an eighth of the font height), but never
    // so close that the drop-down lists overlap.
    const int listHeight = QComboBox().sizeHint().height();
    const int rowStep = std::max(12 * metrics.height() / 8 + 1, listHeight + 1);
    int y = kMargin;
    int widest = 0;
    for (std::size_t i = 0; i < page.rows.size(); ++i) {
        const SmartOptionRow& row = page.rows[i];
        const QString text = QString::fromStdString(row.label);
        labels_.push_back({text, QPoint(kMargin, y + kLabelDrop),
                           row.unmapped ? QColor(Qt::blue) : QColor(Qt::black)});
        auto* list = new QComboBox(canvas);
        list->setObjectName(QString("OptionList%1").arg(i + 1));
        for (const std::string& setting : row.settings) {
            list->addItem(QString::fromStdString(setting));
        }
        list->setCurrentIndex(row.selection);
        list->setEnabled(false);
        const int x = kMargin + metrics.horizontalAdvance(text) + kLabelGap;
        const int width = widestText(list->fontMetrics(), row.settings) + kListExtraWidth;
        list->setGeometry(x, y, width, listHeight);
        lists_.push_back(list);
        widest = std::max(widest, x + width);
        y += rowStep;
    }
    canvas->resize(widest + kScrollSlack, y + kScrollSlack);
    setWidget(canvas);
}

QSize COptionView::contentSize() const {
    return widget()->size();
}

}  // namespace vexlor
