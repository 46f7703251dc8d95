#pragma once

#include <string>

#include "core/maint/MaintServices.h"

namespace vexlor {

// Writer Test (the button) and Writer Simple Test (the Help menu).
enum class SelfTestKind { WriterTest, SimpleTest };

struct SelfTestResult {
    MaintOutcome outcome = MaintOutcome::Cancelled;
    // The log as it stood when the closing message was shown.
    std::string log;
    int failures = 0;
};

// After the operator agrees, measures the writer's supplies, writes the test buffers and test
// firmware images and, on a KLW300A, runs its hardware test; each check logs one line. Every
// step runs whatever the earlier ones found.
SelfTestResult RunSelfTest(MaintServices& s, SelfTestKind kind);

}  // namespace vexlor
