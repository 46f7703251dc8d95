#pragma once

#include <QPlainTextEdit>

namespace vexlor::gui {

// The main window's log. Its serif face costs a font match and a face of its own, while the hex
// view covers the log from the start until a load, a writer reset or a maintenance command, so
// the face is taken when the log first shows; text written before that is laid out again then.
class LogEdit final : public QPlainTextEdit {
  public:
    explicit LogEdit(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void takeLogFont();

    bool fontTaken_ = false;
};

}  // namespace vexlor::gui
