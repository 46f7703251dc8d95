#pragma once

#include "core/base/ProgressSink.h"

namespace vexlor::gui {

// Repaints the windows while a transfer blocks, and does nothing else: no input, no timer, no
// queued call. A timer here would let the device poll close the writer under the transfer.
class QtPaintPump final : public PaintPump {
  public:
    void pumpPaint() override;
};

}  // namespace vexlor::gui
