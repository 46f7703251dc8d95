#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "core/base/ProgressSink.h"
#include "core/writer/WriterConnection.h"

namespace vexlor::gui {

inline constexpr const char* kIdleMessage = "Ready";

// Pane 0: the status text (the idle message until a command reports), the mouse position and
// the transfer progress bar. Pane 1: the connection icon with the writer's version text.
class CProgStatusBar final : public QStatusBar, public ProgressSink {
    Q_OBJECT
  public:
    explicit CProgStatusBar(QWidget* parent = nullptr);

    // Shows the progress protocol's events; the rest of the stream has no place here.
    void onEvent(const ProgressEvent& event) override;

    // Stays until the next status: the progress bar and the mouse position have places of
    // their own, so neither wipes out how the last command ended.
    void showStatus(const QString& text);
    void showMousePosition(int x, int y);
    void showConnection(const ConnectionStatus& status);
    // Marks a simulated writer, so nobody takes it for hardware.
    void showSimulated(bool simulated);

    QProgressBar* progressBar() const { return progress_; }
    // Pane 0 gives its status text.
    QString paneText(int pane) const;
    QString mousePositionText() const { return position_->text(); }
    bool connectedIconShown() const { return connected_; }

  private:
    void showRange(int low, int high);
    void showPosition(int position);
    void showAlmostDone();

    QLabel* paneZero_;
    QLabel* position_;
    QProgressBar* progress_;
    QLabel* icon_;
    QLabel* version_;
    QLabel* simulated_;
    bool connected_ = false;
};

}  // namespace vexlor::gui
