#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/base/Operator.h"

namespace vexlor::test {

// Keeps everything core shows and answers questions and file choices from a script.
class RecordingOperator : public Operator {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool question;
    };

    void message(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view caption, MessageIcon icon) override;
    std::optional<std::string> chooseOpenFile(std::string_view filter,
                                              const std::filesystem::path& startFolder) override;
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view defaultName,
                                              std::string_view defaultExtension) override;
    void setLogText(std::string_view text) override { log = std::string(text); }
    void appendLog(std::string_view text) override { log += text; }
    void beginBusy(std::string_view cursorFile) override;
    void endBusy() override { ++busyEnded; }
    void showStatus(std::string_view text) override { statuses.emplace_back(text); }

    // Script: answers to questions (Yes when the queue is empty) and file choices (cancel when
    // the queue is empty).
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> files;

    std::vector<Shown> shown;
    std::vector<std::string> filters;
    std::vector<std::filesystem::path> startFolders;
    std::vector<std::string> statuses;
    std::string log;
    std::vector<std::string> busyCursors;
    int busyEnded = 0;

    std::vector<std::string> texts() const;
    // The first line of each text: data-file messages name the file on a second line.
    std::vector<std::string> headlines() const;
    const Shown& last() const { return shown.back(); }
};

}  // namespace vexlor::test
