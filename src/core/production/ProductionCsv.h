#pragma once

#include <string>
#include <vector>

#include "core/serial/ProductionLog.h"

namespace vexlor {

// The entries as CSV for a spreadsheet: a header line, CRLF line ends, and any field holding a
// comma, quote or line break quoted with its quotes doubled.
std::string ProductionLogCsv(const std::vector<ProductionEntry>& entries);

}  // namespace vexlor
