#pragma once

namespace vexlor {

// Where the chips of a production run come from.
class ChipSocket {
  public:
    virtual ~ChipSocket() = default;
    // Returns once a chip to program sits in the socket; false when no more will come.
    virtual bool awaitChip() = 0;
};

}  // namespace vexlor
