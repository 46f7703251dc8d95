#include "gui/app/QtOperator.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

#include "gui/app/FileFilter.h"

namespace vexlor::gui {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString ApplicationCaption(std::string_view caption) {
    return caption.empty() ? QCoreApplication::applicationName() : qt(caption);
}

void QtOperator::bind(QWidget* window, QPlainTextEdit* log, CProgStatusBar* status) {
    window_ = window;
    log_ = log;
    status_ = status;
}

int QtOperator::showBox(QMessageBox& box) {
    if (busyDepth_ == 0) {
        return box.exec();
    }
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QGuiApplication::restoreOverrideCursor();
    return answer;
}

void QtOperator::message(std::string_view text, std::string_view caption, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), ApplicationCaption(caption), qt(text), QMessageBox::Ok, window_);
    showBox(box);
}

bool QtOperator::ask(std::string_view text, std::string_view caption, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), ApplicationCaption(caption), qt(text),
                    QMessageBox::Yes | QMessageBox::No, window_);
    return showBox(box) == QMessageBox::Yes;
}

std::optional<std::string> QtOperator::chooseOpenFile(std::string_view filter,
                                                      const std::filesystem::path& startFolder) {
    QString path = QFileDialog::getOpenFileName(window_, QString(),
                                                QString::fromStdString(startFolder.string()),
                                                ConvertFileFilter(filter));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

std::optional<std::string> QtOperator::chooseSaveFile(std::string_view filter,
                                                      std::string_view defaultName,
                                                      std::string_view defaultExtension) {
    QFileDialog dialog(window_, QString(), QString(), ConvertFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qt(defaultExtension));
    dialog.selectFile(qt(defaultName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

void QtOperator::setLogText(std::string_view text) {
    if (log_) {
        log_->setPlainText(qt(text));
        log_->repaint();
    }
}

void QtOperator::appendLog(std::string_view text) {
    if (log_) {
        log_->moveCursor(QTextCursor::End);
        log_->insertPlainText(qt(text));
        log_->repaint();
    }
}

void QtOperator::beginBusy(std::string_view) {
    ++busyDepth_;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtOperator::endBusy() {
    if (busyDepth_ > 0) {
        --busyDepth_;
        QGuiApplication::restoreOverrideCursor();
    }
}

void QtOperator::showStatus(std::string_view text) {
    if (status_) {
        status_->showStatus(qt(text));
    }
}

}  // namespace vexlor::gui
