#include "support/RecordingOperator.h"

#include <gtest/gtest.h>

namespace vexlor::test {

void RecordingOperator::message(std::string_view text, std::string_view caption, MessageIcon icon) {
    shown.push_back({std::string(text), std::string(caption), icon, false});
}

bool RecordingOperator::ask(std::string_view text, std::string_view caption, MessageIcon icon) {
    shown.push_back({std::string(text), std::string(caption), icon, true});
    if (answers.empty()) {
        return true;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> RecordingOperator::chooseOpenFile(
    std::string_view filter, const std::filesystem::path& startFolder) {
    filters.emplace_back(filter);
    startFolders.push_back(startFolder);
    if (files.empty()) {
        return std::nullopt;
    }
    auto choice = files.front();
    files.pop_front();
    return choice;
}

std::optional<std::string> RecordingOperator::chooseSaveFile(std::string_view filter,
                                                             std::string_view, std::string_view) {
    return chooseOpenFile(filter, {});
}

void RecordingOperator::beginBusy(std::string_view cursorFile) {
    busyCursors.emplace_back(cursorFile);
}

std::vector<std::string> RecordingOperator::texts() const {
    std::vector<std::string> result;
    for (const auto& s : shown) {
        result.push_back(s.text);
    }
    return result;
}

std::vector<std::string> RecordingOperator::headlines() const {
    std::vector<std::string> result;
    for (const auto& s : shown) {
        result.push_back(s.text.substr(0, s.text.find('\n')));
    }
    return result;
}

}  // namespace vexlor::test
