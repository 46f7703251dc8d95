#include "core/writer/CommandBlock.h"

namespace vexlor {

CommandBlock MakeCommandBlock(std::uint32_t length, std::uint8_t command) {
    CommandBlock block{};
    block[0] = 'U';
    block[1] = 'S';
    block[2] = 'B';
    block[3] = 'C';
    for (int i = 0; i < 4; ++i) {
        block[8 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
    block[12] = command;
    return block;
}

}  // namespace vexlor
