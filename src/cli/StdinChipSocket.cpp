#include "cli/StdinChipSocket.h"

#include <string>

namespace vexlor::cli {

bool StdinChipSocket::awaitChip() {
    out_ << "put the next chip in and press Enter (q stops) " << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
        out_ << '\n';  // the prompt's line ends even when the input does first
        return false;
    }
    return line != "q";
}

}  // namespace vexlor::cli
