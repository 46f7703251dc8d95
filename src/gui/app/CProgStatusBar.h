#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "core/base/ProgressSink.h"
#include "core/writer/WriterConnection.h"

namespace vexlor::gui {

inline constexpr const char* kIdleMessage = "Ready";

// Pane 0: the idle message or the mouse position, and the transfer progress bar. Pane 1: the
// connection icon with the writer's version text.
class CProgStatusBar final : public QStatusBar, public ProgressSink {
    Q_OBJECT
  public:
    explicit CProgStatusBar(QWidget* parent = nullptr);

    void setRange(int low, int high) override;
    void setPosition(int position) override;
    void almostDone() override;

    void showMousePosition(int x, int y);
    void showConnection(const ConnectionStatus& status);
    // Marks a simulated writer, so nobody takes it for hardware.
    void showSimulated(bool simulated);

    QProgressBar* progressBar() const { return progress_; }
    QString paneText(int pane) const;
    bool connectedIconShown() const { return connected_; }

  private:
    void showIdle();

    QLabel* paneZero_;
    QProgressBar* progress_;
    QLabel* icon_;
    QLabel* version_;
    QLabel* simulated_;
    bool connected_ = false;
};

}  // namespace vexlor::gui
