#include "cli/StdinChipSocket.h"

#include <string>

namespace vexlor::cli {

bool StdinChipSocket::awaitChip() {
    out_ << "put the next chip in and press Enter (q stops) " << std::flush;
    std::string line;
    return std::getline(in_, line) && line != "q";
}

}  // namespace vexlor::cli
