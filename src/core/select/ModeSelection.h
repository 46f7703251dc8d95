#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/chipdb/ChipDisplayInfo.h"

namespace vexlor {

// The job-mode check boxes of IC Type Select.
enum class ModeBox : std::size_t {
    DisplaySerialNumber,
    MassProduction,
    ProductionLimit,
    ExHvIspProgram,
    IspProgram,
    WholeChipErase,
};
inline constexpr std::size_t kModeBoxCount = 6;

// The catalogue key that allows a mode (non-zero allows it).
std::int32_t ModeKey(const ChipDisplayInfo& keys, ModeBox box);
// The mode's name as the main window's labels show it.
const char* ModeName(ModeBox box);

struct BoxControl {
    bool checked = false;
    bool enabled = true;

    bool operator==(const BoxControl&) const = default;
};

// What the mode controls show.
struct ModeControls {
    std::array<BoxControl, kModeBoxCount> boxes{};
    bool countEnabled = true;
    std::string countText = "1";

    BoxControl& operator[](ModeBox box) { return boxes[static_cast<std::size_t>(box)]; }
    const BoxControl& operator[](ModeBox box) const { return boxes[static_cast<std::size_t>(box)]; }
};

// The dialog data the controls exchange with: one check state (0 or 1) per box and the count.
struct ModeData {
    std::array<std::int32_t, kModeBoxCount> states{};
    std::int32_t productionLimitCount = 1;

    std::int32_t& operator[](ModeBox box) { return states[static_cast<std::size_t>(box)]; }
    std::int32_t operator[](ModeBox box) const { return states[static_cast<std::size_t>(box)]; }
};

// The modes part of IC Type Select: which boxes the chosen chip allows or forces, how boxes
// exclude one another, and the exchange between the controls and the dialog data.
class ModeSelection {
  public:
    const ModeControls& controls() const { return controls_; }
    const ModeData& data() const { return data_; }

    // Every check state 0 and the count 1; the controls are left as they are.
    void resetData();

    // After every change of the chosen chip: each box is enabled and unchecked when the chip's
    // key allows its mode, else unchecked and disabled; forced ISP modes end checked and greyed.
    void applyChipSpecialCases(const ChipDisplayInfo& keys, std::string_view chipName);

    // The operator clicked a box, which now shows `checked`.
    void click(ModeBox box, bool checked);

    void setCountText(std::string text) { controls_.countText = std::move(text); }

    // Controls from the data.
    void showData();
    // Data from the controls. A count outside its range is refused (the returned text is for
    // the operator) and keeps the previous count; the check states are taken in any case.
    std::optional<std::string> takeData();

  private:
    void setAllowed(ModeBox box);
    void reenableWhenAllowed(ModeBox box, std::int32_t key);

    ModeControls controls_;
    ModeData data_;
    ChipDisplayInfo keys_;
};

}  // namespace vexlor
