#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/writer/Pieces.h"

namespace vexlor {

// One direction-agnostic byte pipe to the writer: the framed transfers of the own USB path
// run over it. Implemented by libusb bulk endpoints, device-file pipes and the simulator.
class ByteChannel {
  public:
    // Told, in order, the offset each piece ended at once it has gone out or failed.
    using PieceSent = std::function<void(std::size_t end)>;

    virtual ~ByteChannel() = default;
    // Both return whether all bytes went out or came in.
    virtual bool write(const std::uint8_t* data, std::size_t length) = 0;
    virtual bool read(std::uint8_t* buffer, std::size_t length) = 0;

    // One write per piece. A failed piece does not stop the rest: the writer's status answer
    // decides. Channels that can keep several pieces in flight override this.
    virtual void writePieces(const std::uint8_t* data, std::size_t length, std::size_t pieceSize,
                             const PieceSent& afterPiece) {
        ForEachPiece(length, pieceSize, [&](std::size_t offset, std::size_t size) {
            write(data + offset, size);
            afterPiece(offset + size);
        });
    }
};

}  // namespace vexlor
