#pragma once

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include "core/base/Operator.h"
#include "gui/app/CProgStatusBar.h"

namespace vexlor::gui {

// The operator at the screen: message boxes, questions and file dialogs over the main window,
// its log area, its status line, and the busy cursor.
class QtOperator final : public Operator {
  public:
    // The window, its log area and status bar exist only after the application context:
    // bound later.
    void bind(QWidget* window, QPlainTextEdit* log, CProgStatusBar* status);

    void message(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view caption, MessageIcon icon) override;
    std::optional<std::string> chooseOpenFile(std::string_view filter,
                                              const std::filesystem::path& startFolder) override;
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view defaultName,
                                              std::string_view defaultExtension) override;
    void setLogText(std::string_view text) override;
    void appendLog(std::string_view text) override;
    // Animated cursor files are not drawn here; every busy cursor is the standard one.
    void beginBusy(std::string_view cursorFile) override;
    void endBusy() override;
    void showStatus(std::string_view text) override;

  private:
    // A box asks for a click: it shows the normal cursor even while a command is busy.
    int showBox(QMessageBox& box);

    QPointer<QWidget> window_;
    QPointer<QPlainTextEdit> log_;
    QPointer<CProgStatusBar> status_;
    int busyDepth_ = 0;
};

// The caption of message boxes that name none: the application's own.
QString ApplicationCaption(std::string_view caption);

}  // namespace vexlor::gui
