#include "cli/ConsoleOperator.h"

#include <algorithm>

namespace vexlor::cli {

namespace {
// Message texts carry the window program's line ends; a console wants plain lines.
std::string plainLines(std::string_view text) {
    std::string lines;
    for (char c : text) {
        if (c != '\r') {
            lines += c;
        }
    }
    while (!lines.empty() && lines.back() == '\n') {
        lines.pop_back();
    }
    return lines;
}

std::string captioned(std::string_view text, std::string_view caption) {
    const std::string body = plainLines(text);
    return caption.empty() || caption == " " ? body : std::string(caption) + ": " + body;
}
}  // namespace

void ConsoleOperator::message(std::string_view text, std::string_view caption, MessageIcon icon) {
    const bool trouble = icon == MessageIcon::Stop || icon == MessageIcon::Exclamation;
    const std::string shown = captioned(text, caption);
    // The event first: a bar on the terminal ends its line before the text comes.
    if (events_ != nullptr) {
        events_->note(shown);
    }
    (trouble ? err_ : out_) << shown << '\n';
}

bool ConsoleOperator::ask(std::string_view text, std::string_view caption, MessageIcon) {
    const bool yes = answers_.answer.value_or(false);
    out_ << captioned(text, caption) << " -> " << (yes ? "Yes" : "No")
         << (answers_.answer ? "" : " (give --yes to agree)") << '\n';
    return yes;
}

std::optional<std::string> ConsoleOperator::nextFile() {
    if (answers_.files.empty()) {
        return std::nullopt;
    }
    std::string file = std::move(answers_.files.front());
    answers_.files.pop_front();
    return file;
}

std::optional<std::string> ConsoleOperator::chooseOpenFile(std::string_view,
                                                           const std::filesystem::path&) {
    return nextFile();
}

std::optional<std::string> ConsoleOperator::chooseSaveFile(std::string_view, std::string_view,
                                                           std::string_view) {
    return nextFile();
}

void ConsoleOperator::setLogText(std::string_view text) {
    // Printed lines cannot be taken back: only what the new text adds after the part it shares
    // with the text shown last is printed.
    const auto differs =
        std::mismatch(text.begin(), text.end(), logShown_.begin(), logShown_.end());
    const auto same = static_cast<std::size_t>(differs.first - text.begin());
    logShown_ = text;
    printLog(text.substr(same));
}

void ConsoleOperator::appendLog(std::string_view text) {
    logShown_ += text;
    printLog(text);
}

void ConsoleOperator::printLog(std::string_view text) {
    const std::string lines = plainLines(text);
    if (!lines.empty()) {
        out_ << lines << '\n';
    }
}

}  // namespace vexlor::cli
