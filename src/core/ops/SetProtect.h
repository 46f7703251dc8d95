#pragma once

#include "core/ops/JobServices.h"

namespace vexlor {

// The "Set Protect" command: the operator picks Unprotect or Protect, the protect bits of the
// job already in the writer change and the option area is written again.
JobOutcome OnSetProtect(JobServices& services);

}  // namespace vexlor
