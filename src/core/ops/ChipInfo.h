#pragma once

#include <optional>
#include <string>

#include "core/app/PanelRules.h"
#include "core/ops/JobServices.h"

namespace vexlor {

// The four labels of "Read CHIP Information". An empty optional leaves a label as it is.
struct ChipInfoLabels {
    std::optional<std::string> chipName;
    std::optional<std::string> systemConfig;
    std::optional<std::string> checksum;
    std::optional<std::string> id;

    bool operator==(const ChipInfoLabels&) const = default;
};

// The writer can read information from the chip its job is for.
bool ChipInfoSupported(const OptionHeader& header);
// The chip has a system configuration, checksums and an identifier to show.
bool HasSystemConfig(const OptionHeader& header);

// The chip's system configuration word as the last read left it in the option header.
std::uint16_t SystemConfigWord(const OptionHeader& header);

// What the dialog shows when it opens, before anything is read.
ChipInfoLabels ChipInfoOpeningLabels(bool supported, const OptionHeader& header);
// The blank labels while the writer reads.
ChipInfoLabels ChipInfoReadingLabels(const OptionHeader& header);
// The labels for an option header the writer filled in by reading the chip.
ChipInfoLabels ChipInfoReadLabels(const OptionHeader& header);

// The dialog the Read button belongs to.
class ChipInfoView {
  public:
    virtual ~ChipInfoView() = default;
    virtual void setButtonsEnabled(bool enabled) = 0;
    virtual void showLabels(const ChipInfoLabels& labels) = 0;
};

// The Read button: the writer verifies the chip, which leaves the chip's information in the
// option header, and the labels show it. False when the writer was lost on the way.
bool OnReadChipInfoRead(JobServices& services, ChipInfoView& view);

}  // namespace vexlor
