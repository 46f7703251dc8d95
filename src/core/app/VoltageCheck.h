#pragma once

#include "core/app/WriterPort.h"

namespace vexlor {

// Drives the writer through its four measurement set-ups and judges the readings; true when
// every reading is in its range.
bool RunVoltageCheck(WriterPort& writer);

}  // namespace vexlor
