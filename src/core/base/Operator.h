#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vexlor {

enum class MessageIcon { None, Information, Exclamation, Stop, Question };

// The caption every message box gets when the caller names none: the application's own.
inline constexpr std::string_view kDefaultCaption{};

// How core speaks to the person at the writer. The GUI shows dialogs, the command-line tool
// prints and answers from its options, tests record and answer from a script.
class Operator {
  public:
    virtual ~Operator() = default;

    virtual void message(std::string_view text, std::string_view caption = kDefaultCaption,
                         MessageIcon icon = MessageIcon::None) = 0;
    // A Yes/No question; true means Yes.
    virtual bool ask(std::string_view text, std::string_view caption, MessageIcon icon) = 0;

    // filter is in the "Description (*.ext)|*.ext||" form the catalogue carries; the choice
    // opens in startFolder when it names one.
    virtual std::optional<std::string> chooseOpenFile(
        std::string_view filter, const std::filesystem::path& startFolder = {}) = 0;
    virtual std::optional<std::string> chooseSaveFile(std::string_view filter,
                                                      std::string_view defaultName,
                                                      std::string_view defaultExtension) = 0;

    // The main window's log area.
    virtual void setLogText(std::string_view text) = 0;
    virtual void appendLog(std::string_view text) = 0;

    // cursorFile names an animated cursor below the base directory; an operator that cannot
    // show it shows a standard busy cursor instead.
    virtual void beginBusy(std::string_view cursorFile) = 0;
    virtual void endBusy() = 0;

    // The status line: what runs now, or how the last command ended.
    virtual void showStatus(std::string_view text) = 0;
};

// An operator nobody sits at: every question is answered No, every file choice cancelled,
// and messages are dropped unless a subclass reports them.
class SilentOperator : public Operator {
  public:
    void message(std::string_view, std::string_view, MessageIcon) override {}
    bool ask(std::string_view, std::string_view, MessageIcon) override { return false; }
    std::optional<std::string> chooseOpenFile(std::string_view,
                                              const std::filesystem::path&) override {
        return {};
    }
    std::optional<std::string> chooseSaveFile(std::string_view, std::string_view,
                                              std::string_view) override {
        return {};
    }
    void setLogText(std::string_view) override {}
    void appendLog(std::string_view) override {}
    void beginBusy(std::string_view) override {}
    void endBusy() override {}
    void showStatus(std::string_view) override {}
};

}  // namespace vexlor
