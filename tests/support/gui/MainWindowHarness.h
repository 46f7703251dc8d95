#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app/AppContext.h"
#include "core/base/Clock.h"
#include "gui/app/CWriterMainDlg.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

// How the window under test meets its writer.
struct WindowSetup {
    // The simulated writer in-process; false: the real transports, with the device files
    // below deviceDirectory and no access library.
    bool simulate = true;
    bool attached = true;
    std::string version = "USB STANDALONE WRITER_V2.0";
    // The option header the simulated writer holds, the job it restores; empty: none.
    std::vector<std::uint8_t> job{};
    // "KLW_Read.xml" beside the program; empty: no such file.
    std::string visibility{};
    std::filesystem::path deviceDirectory{};
};

// The main window started as the program starts it, on a scratch base directory over the built
// data set, with a recording operator and a virtual clock; its device poll is left to the test.
class MainWindowHarness {
  public:
    explicit MainWindowHarness(const WindowSetup& setup = {});
    ~MainWindowHarness();

    gui::CWriterMainDlg& window() { return *window_; }
    QWidget* control(ControlId id) const { return window_->control(id); }
    // Text of a line edit or label.
    std::string text(ControlId id) const;
    // Triggers a menu item by object name; false when there is none.
    bool trigger(const char* actionName);
    // A catalogue message as shown in the operator's language.
    std::string message(const char* key) const;
    // Leaves what the Device command leaves for the chip, with the operation buttons on.
    void chooseChip(const std::string& name);

    ScratchDir base;
    RecordingOperator op;
    VirtualClock clock;
    std::unique_ptr<AppContext> context;

  private:
    std::unique_ptr<gui::CWriterMainDlg> window_;
};

}  // namespace vexlor::test
