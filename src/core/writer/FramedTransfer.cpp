#include "core/writer/FramedTransfer.h"

#include "core/writer/CommandBlock.h"
#include "core/writer/WriterLink.h"

namespace vexlor {

namespace {

constexpr std::uint8_t kVersionCommand = 0x04;

bool ReadStatus(ByteChannel& channel) {
    StatusBlock status{};
    return channel.read(status.data(), status.size());
}

}  // namespace

int TransferProgressRange(std::uint32_t length) {
    const auto pieces = static_cast<int>(length >> 9);
    return pieces < 1 ? 2 : pieces;
}

bool SendFramed(ByteChannel& channel, const TransferFeedbackHooks& hooks, const std::uint8_t* data,
                std::uint32_t length, std::uint8_t command) {
    const CommandBlock block = MakeCommandBlock(length, command);
    hooks.paint.pumpPaint();
    const bool blockSent = channel.write(block.data(), block.size());
    hooks.paint.pumpPaint();
    if (!blockSent) {
        return false;
    }
    if (hooks.showProgress) {
        hooks.progress.setRange(0, TransferProgressRange(length));
        hooks.progress.setPosition(1);
    }
    int piece = 1;
    // A failed piece does not stop the transfer: the writer's status answer decides.
    channel.writePieces(data, length, kPieceSize, [&](std::size_t end) {
        hooks.paint.pumpPaint();
        if (hooks.showProgress) {
            hooks.progress.setPosition(piece);
            hooks.progress.transferred(end, length);
        }
        ++piece;
    });
    hooks.paint.pumpPaint();
    const bool ok = ReadStatus(channel);
    hooks.paint.pumpPaint();
    if (hooks.showProgress) {
        hooks.progress.setPosition(piece);
    }
    return ok;
}

bool ReceiveFramed(ByteChannel& channel, const TransferFeedbackHooks& hooks, std::uint8_t* buffer,
                   std::uint32_t length, std::uint8_t command) {
    const CommandBlock block = MakeCommandBlock(length, command);
    if (!channel.write(block.data(), block.size())) {
        return false;
    }
    if (hooks.showProgress) {
        hooks.progress.setRange(0, TransferProgressRange(length));
        hooks.progress.setPosition(0);
    }
    int piece = 1;
    // A piece that did not arrive leaves its part of the buffer stale, so it fails the transfer;
    // the status block is still read to keep the exchange in step.
    bool piecesArrived = true;
    ForEachPiece(length, kPieceSize, [&](std::size_t offset, std::size_t size) {
        piecesArrived = channel.read(buffer + offset, size) && piecesArrived;
        if (hooks.showProgress) {
            hooks.progress.setPosition(piece);
            hooks.progress.transferred(offset + size, length);
        }
        ++piece;
    });
    const bool ok = ReadStatus(channel) && piecesArrived;
    if (hooks.showProgress) {
        hooks.progress.setPosition(piece);
    }
    return ok;
}

bool ReadVersionFramed(ByteChannel& channel, std::uint8_t* buffer26) {
    const CommandBlock block = MakeCommandBlock(kVersionTextSize, kVersionCommand);
    return channel.write(block.data(), block.size()) && channel.read(buffer26, kVersionTextSize) &&
           ReadStatus(channel);
}

}  // namespace vexlor
