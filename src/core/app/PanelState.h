#pragma once

#include <map>
#include <string>

#include "core/app/ControlId.h"

namespace vexlor {

struct ControlState {
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    // Only the mode labels carry a text of their own; edits show the job state.
    std::string text;
};

// What the main window's controls look like; the rules change it and the window renders it.
// A control that was never touched is enabled, visible and unchecked.
class PanelState {
  public:
    ControlState& operator[](ControlId id) { return controls_[id]; }
    const ControlState& at(ControlId id) const;

    void enable(ControlId id, bool on) { controls_[id].enabled = on; }
    void show(ControlId id, bool on) { controls_[id].visible = on; }

    // The hex view covers the log edit except while a firmware reset writes into the log.
    bool hexViewShown = true;
    // The pin picture file drawn into the picture control; empty when cleared.
    std::string pinPicturePath;

  private:
    std::map<ControlId, ControlState> controls_;
};

}  // namespace vexlor
