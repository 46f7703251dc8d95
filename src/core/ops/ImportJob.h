#pragma once

#include <string>

#include "core/ops/JobServices.h"

namespace vexlor {

// A job package dropped on the window: its two buffer files replace the job's, are downloaded
// into the writer, and the job is shown as the writer now holds it.
JobOutcome ImportJobPackage(JobServices& services, const std::string& path);

}  // namespace vexlor
