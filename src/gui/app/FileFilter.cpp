#include "gui/app/FileFilter.h"

#include <QRegularExpression>
#include <QStringList>

namespace vexlor::gui {

QString ConvertFileFilter(std::string_view filter) {
    QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    static const QRegularExpression trailingPatterns(R"(\s*\([^()]*\)\s*$)");
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        patterns.removeAll(QString());
        if (description.isEmpty() && patterns.isEmpty()) {
            continue;
        }
        description.remove(trailingPatterns);
        entries << QString("%1 (%2)").arg(description, patterns.join(' '));
    }
    return entries.join(";;");
}

}  // namespace vexlor::gui
