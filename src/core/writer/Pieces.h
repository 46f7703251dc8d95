#pragma once

#include <algorithm>
#include <cstddef>

namespace vexlor {

// Calls piece(offset, size) for consecutive pieces of pieceSize bytes covering length bytes;
// the last one may be shorter.
template <typename PieceFn>
void ForEachPiece(std::size_t length, std::size_t pieceSize, PieceFn&& piece) {
    for (std::size_t offset = 0; offset < length;) {
        const std::size_t size = std::min(pieceSize, length - offset);
        piece(offset, size);
        offset += size;
    }
}

}  // namespace vexlor
