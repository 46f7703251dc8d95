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

    void message(std::string_view text, std::string_view caption, MessageIcon icon) override {
        shown.push_back({std::string(text), std::string(caption), icon, false});
    }
    bool ask(std::string_view text, std::string_view caption, MessageIcon icon) override {
        shown.push_back({std::string(text), std::string(caption), icon, true});
        return next(answers).value_or(true);
    }
    std::optional<std::string> chooseOpenFile(std::string_view filter,
                                              const std::filesystem::path& startFolder) override {
        filters.emplace_back(filter);
        startFolders.push_back(startFolder);
        return next(files).value_or(std::nullopt);
    }
    std::optional<std::string> chooseSaveFile(std::string_view filter, std::string_view,
                                              std::string_view) override {
        return chooseOpenFile(filter, {});
    }
    void setLogText(std::string_view text) override { log = std::string(text); }
    void appendLog(std::string_view text) override { log += text; }
    void beginBusy(std::string_view cursorFile) override { busyCursors.emplace_back(cursorFile); }
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

    std::vector<std::string> texts() const { return lines(std::string::npos); }
    // The first line of each text: data-file messages name the file on a second line.
    std::vector<std::string> headlines() const { return lines(0); }
    const Shown& last() const { return shown.back(); }

  private:
    template <typename T>
    static std::optional<T> next(std::deque<T>& queue) {
        if (queue.empty()) {
            return std::nullopt;
        }
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }
    // Each text up to the first line break found from `from` on; npos: the whole text.
    std::vector<std::string> lines(std::size_t from) const {
        std::vector<std::string> result;
        for (const Shown& s : shown) {
            result.push_back(s.text.substr(0, s.text.find('\n', from)));
        }
        return result;
    }
};

}  // namespace vexlor::test
