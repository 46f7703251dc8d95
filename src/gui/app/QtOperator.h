#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include "core/base/Operator.h"

namespace vexlor::gui {

// The operator at the screen: message boxes, questions and file dialogs over the main window,
// its log area, and the busy cursor.
class QtOperator final : public Operator {
  public:
    // The window and its log area exist only after the application context: bound later.
    void bind(QWidget* window, QPlainTextEdit* log);

    void message(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view caption, MessageIcon icon) override;
    std::optional<std::string> chooseOpenFile(std::string_view filter) override;
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view defaultName,
                                              std::string_view defaultExtension) override;
    void setLogText(std::string_view text) override;
    void appendLog(std::string_view text) override;
    // Animated cursor files are not drawn here; every busy cursor is the standard one.
    void beginBusy(std::string_view cursorFile) override;
    void endBusy() override;

  private:
    QPointer<QWidget> window_;
    QPointer<QPlainTextEdit> log_;
    int busyDepth_ = 0;
};

// The caption of message boxes that name none: the application's own.
QString ApplicationCaption(std::string_view caption);

}  // namespace vexlor::gui
