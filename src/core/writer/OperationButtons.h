#pragma once

namespace vexlor {

// The main window's operation buttons, switched off while a writer job runs.
class OperationButtons {
  public:
    virtual ~OperationButtons() = default;
    virtual void disableOperationButtons() = 0;
    virtual void enableOperationButtons() = 0;
};

}  // namespace vexlor
