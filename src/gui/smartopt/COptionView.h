#pragma once

#include <QColor>
#include <QPoint>
#include <QScrollArea>
#include <QString>
#include <vector>

#include "core/smartopt/SmartOptionPage.h"

class QComboBox;

namespace vexlor {

// The scrolling view of the Smart Option dialog: one painted label and one disabled drop-down
// list per item, so the operator can look at the word's settings but not change them.
class COptionView : public QScrollArea {
    Q_OBJECT

  public:
    struct Label {
        QString text;
        QPoint topLeft;
        QColor color;
    };

    explicit COptionView(const SmartOptionPage& page, QWidget* parent = nullptr);

    const std::vector<Label>& labels() const { return labels_; }
    const std::vector<QComboBox*>& lists() const { return lists_; }
    // The space all rows need.
    QSize contentSize() const;

  private:
    std::vector<Label> labels_;
    std::vector<QComboBox*> lists_;
};

}  // namespace vexlor
