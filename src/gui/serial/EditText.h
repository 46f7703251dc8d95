#pragma once

#include <QLineEdit>
#include <string>

namespace vexlor {

// Rewrites an edit only when its text changes, so typing keeps its cursor.
inline void showText(QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown) {
        edit->setText(shown);
    }
}

}  // namespace vexlor
