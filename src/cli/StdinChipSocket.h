#pragma once

#include <istream>
#include <ostream>

#include "core/production/ChipSocket.h"

namespace vexlor::cli {

// A real writer cannot tell the tool that a new chip sits in its socket: the operator presses
// Enter. End of input or "q" ends the run.
class StdinChipSocket final : public ChipSocket {
  public:
    StdinChipSocket(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
    bool awaitChip() override;

  private:
    std::istream& in_;
    std::ostream& out_;
};

}  // namespace vexlor::cli
