#pragma once

namespace vexlor {

// What the start-up and attach sequences ask of the main window beyond the panel state.
class MainView {
  public:
    virtual ~MainView() = default;
    // Pane 1 of the status bar from the writer's version text and connection.
    virtual void ShowConnectionStatus() = 0;
    // Shows the job, the panel state and the title text now (before a message box or a long
    // writer transfer).
    virtual void refreshPanel() = 0;
};

}  // namespace vexlor
