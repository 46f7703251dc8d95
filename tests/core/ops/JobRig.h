#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/app/AppContext.h"
#include "core/base/Clock.h"
#include "core/ops/JobServices.h"
#include "core/writer/AccessLibrary.h"
#include "core/writer/CommandSet.h"
#include "core/writer/Writer.h"
#include "sim/SimTransports.h"
#include "sim/SimWriter.h"
#include "support/Recorders.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

using Bytes = std::vector<std::uint8_t>;

class RecordingView final : public JobView {
  public:
    void refreshPanel() override { ++refreshes; }
    void showFileInHexView(const std::filesystem::path& path) override {
        shownFiles.push_back(path);
    }
    int refreshes = 0;
    std::vector<std::filesystem::path> shownFiles;
};

// Also keeps every text the log area was given.
class LogRecordingOperator final : public RecordingOperator {
  public:
    void setLogText(std::string_view text) override {
        RecordingOperator::setLogText(text);
        logHistory.emplace_back(text);
    }
    std::vector<std::string> logHistory;
};

// Answers Option Select from a script: each entry is what the operator clicks and whether OK
// ends the dialog. Remembers the choices the dialog was opened with.
class ScriptedOptionSelect final : public OptionSelectDialog {
  public:
    struct Answer {
        OptionChoices clicked;
        bool ok;
    };
    bool run(OptionChoices& choices) override;

    std::deque<Answer> answers;
    std::vector<OptionChoices> openedWith;
};

// The program's records and writer link over an in-process simulated writer, in a scratch
// base directory that sees the delivered data set.
class JobRig {
  public:
    explicit JobRig(sim::SimConfig config = {});

    // The Device command's effect: the chip's records read and its name taken into the job.
    void selectChip(const std::string& name);
    // A HEX program file in the scratch directory.
    std::filesystem::path writeHex(const std::string& name, const std::string& text);

    JobServices services();
    // Puts a job header into the writer's option area as a download would, then forgets the
    // commands that took.
    void putHeaderInWriter(const Bytes& header);
    // A header naming the chip, with a download checksum.
    static Bytes headerFor(const std::string& chipName);
    // Whether the writer was sent the command since the transcript was last cleared.
    bool sent(std::uint8_t command) const;
    bool jobStarted() const { return sent(cmd::kStartJob); }
    bool areaWritten() const { return sent(cmd::kWriteArea); }
    OptionHeader& header() { return context.link.optionHeader; }
    JobState& job() { return context.shell.job; }
    PanelState& panel() { return context.shell.panel; }
    Bytes file(const std::string& name) const { return readBytes(base / name); }

    ScratchDir base;
    LogRecordingOperator op;
    VirtualClock clock;
    RecordingProgress progress;
    RecordingButtons buttons;
    RecordingView view;
    ScriptedOptionSelect optionSelect;
    Diagnostics diagnostics;
    AppContext context;
    sim::SimWriter device;
    sim::SimUsbBus usb;
    WriterTransports transports;
    WriterConnection connection;
    Writer writer;
};

}  // namespace vexlor::test
