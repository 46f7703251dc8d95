#pragma once

#include "core/writer/Writer.h"

namespace vexlor {

// Drives the writer through its four measurement set-ups and judges the readings; true when
// every reading is in its range.
bool RunVoltageCheck(Writer& writer);

}  // namespace vexlor
