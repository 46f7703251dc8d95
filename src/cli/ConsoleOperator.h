#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "core/base/Operator.h"
#include "core/base/ProgressSink.h"

namespace vexlor::cli {

// How the command-line tool answers what the program would ask a person.
struct ConsoleAnswers {
    // --yes / --no; without either every question is answered No, the safe choice.
    std::optional<bool> answer;
    // --file arguments, handed out in order to file choices; none left means cancel.
    std::deque<std::string> files;
};

// Messages go to standard output, warnings and stops to standard error.
class ConsoleOperator final : public Operator {
  public:
    ConsoleOperator(std::ostream& out, std::ostream& err, ConsoleAnswers answers)
        : out_(out), err_(err), answers_(std::move(answers)) {}

    void message(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view caption, MessageIcon icon) override;
    // Files come from the --file arguments, so the folder is not needed.
    std::optional<std::string> chooseOpenFile(std::string_view filter,
                                              const std::filesystem::path& = {}) override;
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view defaultName,
                                              std::string_view defaultExtension) override;
    void setLogText(std::string_view text) override;
    void appendLog(std::string_view text) override;
    void beginBusy(std::string_view) override {}
    void endBusy() override {}
    // Every result is printed as it comes; there is no status line to keep.
    void showStatus(std::string_view) override {}
    // Message boxes become message events there as well; nullptr: printed only.
    void echoMessagesTo(ProgressSink* events) { events_ = events; }

  private:
    std::optional<std::string> nextFile();
    void printLog(std::string_view text);

    std::ostream& out_;
    std::ostream& err_;
    ConsoleAnswers answers_;
    std::string logShown_;
    ProgressSink* events_ = nullptr;
};

}  // namespace vexlor::cli
