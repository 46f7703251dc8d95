#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/app/AppContext.h"
#include "core/base/Diagnostics.h"
#include "core/base/Operator.h"
#include "core/convert/ConversionJob.h"
#include "core/writer/OperationButtons.h"
#include "core/writer/Writer.h"

namespace vexlor {

// What the job commands show besides message boxes: the main window's panel and its hex view.
class JobView {
  public:
    virtual ~JobView() = default;
    // The panel state or the job texts changed: show them now.
    virtual void refreshPanel() = 0;
    // An empty path blanks the view.
    virtual void showFileInHexView(const std::filesystem::path& path) = 0;
};

// The Option Select dialog, opened on the choices given. Clicks change them at once; the caller
// decides what Cancel leaves.
class OptionSelectDialog {
  public:
    virtual ~OptionSelectDialog() = default;
    // True when the operator pressed OK.
    virtual bool run(OptionChoices& choices) = 0;
};

// How a job command ended, for callers that act on it (the command-line tool's exit code).
enum class JobOutcome {
    Ok,
    Failed,     // the writer reported FAIL or a transfer failed
    Refused,    // a check stopped the command before the writer was asked to do anything
    Cancelled,  // the operator declined
    BadInput,   // the program file could not be used
};

// Everything the job commands act on.
struct JobServices {
    AppContext& context;
    Writer& writer;
    Operator& op;
    OperationButtons& buttons;
    JobView& view;
    OptionSelectDialog& optionSelect;
    // The sub-language field of the system default language (it picks the download log text).
    std::uint16_t systemSubLanguage = 1;
    // Where converter plugins are looked for, first match wins.
    std::vector<std::filesystem::path> converterDirectories;
    // A HEX program file that fails only its checksums or end-of-file record.
    DamagedHex damagedHex = DamagedHex::AskOperator;
    // Where the transport's and the readers' diagnostic lines go; nowhere unless asked for.
    Diagnostics diagnostics{};
};

}  // namespace vexlor
