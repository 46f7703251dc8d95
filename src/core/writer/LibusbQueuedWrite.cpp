#include "core/writer/LibusbQueuedWrite.h"

#include <libusb.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/writer/LibusbApi.h"

namespace vexlor {

namespace {

struct TransferFree {
    void operator()(libusb_transfer* transfer) const { Libusb()->free_transfer(transfer); }
};

// The result libusb_bulk_transfer gives for a finished transfer: the byte count or an error.
int TransferResult(const libusb_transfer& transfer) {
    switch (transfer.status) {
        case LIBUSB_TRANSFER_COMPLETED:
            return transfer.actual_length;
        case LIBUSB_TRANSFER_TIMED_OUT:
            return LIBUSB_ERROR_TIMEOUT;
        case LIBUSB_TRANSFER_STALL:
            return LIBUSB_ERROR_PIPE;
        case LIBUSB_TRANSFER_NO_DEVICE:
            return LIBUSB_ERROR_NO_DEVICE;
        case LIBUSB_TRANSFER_OVERFLOW:
            return LIBUSB_ERROR_OVERFLOW;
        default:
            return LIBUSB_ERROR_IO;
    }
}

class QueuedWrite {
  public:
    QueuedWrite(libusb_context* context, libusb_device_handle* handle, std::uint8_t endpoint,
                const std::uint8_t* data, std::size_t length, std::size_t pieceSize,
                unsigned timeoutMs)
        : context_(context),
          handle_(handle),
          endpoint_(endpoint),
          data_(data),
          length_(length),
          pieceSize_(pieceSize),
          timeoutMs_(timeoutMs),
          pieces_((length + pieceSize - 1) / pieceSize),
          results_(pieces_, 0),
          finished_(pieces_, false) {
        const std::size_t depth = std::min(pieces_, kQueuedPieces);
        slots_.reserve(depth);
        for (std::size_t i = 0; i < depth; ++i) {
            libusb_transfer* transfer = Libusb()->alloc_transfer(0);
            if (transfer == nullptr) {
                break;
            }
            slots_.push_back(Slot{this, Transfer(transfer), 0});
        }
    }
    // Only reached with transfers in flight when onDone threw: they are cancelled and reaped
    // before their memory goes.
    ~QueuedWrite() {
        while (inFlight_ > 0) {
            cancelInFlight();
            handleEvents();
        }
    }
    QueuedWrite(const QueuedWrite&) = delete;
    QueuedWrite& operator=(const QueuedWrite&) = delete;

    void run(const UsbDevice::PieceDone& onDone) {
        while (true) {
            refill();
            report(onDone);
            if (reported_ == pieces_) {
                return;
            }
            if (inFlight_ > 0) {
                awaitCompletions();
            }
        }
    }

  private:
    using Transfer = std::unique_ptr<libusb_transfer, TransferFree>;
    struct Slot {
        QueuedWrite* owner;
        Transfer transfer;
        std::size_t piece;
        bool busy = false;
    };

    static void LIBUSB_CALL Completed(libusb_transfer* transfer) {
        auto& slot = *static_cast<Slot*>(transfer->user_data);
        slot.busy = false;
        --slot.owner->inFlight_;
        slot.owner->finish(slot.piece, TransferResult(*transfer));
    }

    void finish(std::size_t piece, int result) {
        results_[piece] = result;
        finished_[piece] = true;
        // A writer silent for a whole time-out is taken as gone: the pieces not yet sent would
        // each wait as long again.
        if (result == LIBUSB_ERROR_TIMEOUT) {
            finishUnsent(result);
        }
    }

    void finishUnsent(int result) {
        for (; next_ < pieces_; ++next_) {
            results_[next_] = result;
            finished_[next_] = true;
        }
    }

    // Every idle slot takes the next piece; a piece libusb refuses is finished with the refusal.
    void refill() {
        if (slots_.empty()) {
            finishUnsent(LIBUSB_ERROR_NO_MEM);
        }
        for (Slot& slot : slots_) {
            while (!slot.busy && next_ < pieces_) {
                submit(slot, next_++);
            }
        }
    }

    void submit(Slot& slot, std::size_t piece) {
        const std::size_t offset = piece * pieceSize_;
        const auto size = static_cast<int>(std::min(pieceSize_, length_ - offset));
        // libusb's buffer is not const-correct; an OUT transfer only reads it.
        libusb_fill_bulk_transfer(slot.transfer.get(), handle_, endpoint_,
                                  const_cast<std::uint8_t*>(data_ + offset), size, &Completed,
                                  &slot, timeoutMs_);
        slot.piece = piece;
        const int submitted = Libusb()->submit_transfer(slot.transfer.get());
        if (submitted != LIBUSB_SUCCESS) {
            finish(piece, submitted);
            return;
        }
        slot.busy = true;
        ++inFlight_;
    }

    // In piece order, so progress never runs ahead of a piece still on its way.
    void report(const UsbDevice::PieceDone& onDone) {
        while (reported_ < pieces_ && finished_[reported_]) {
            const std::size_t end = std::min(length_, (reported_ + 1) * pieceSize_);
            onDone(end, results_[reported_++]);
        }
    }

    // As libusb's own synchronous transfer does: when event handling fails, whatever is in
    // flight is cancelled, and the wait goes on until the cancellations are in.
    void awaitCompletions() {
        const int handled = handleEvents();
        if (handled < 0 && handled != LIBUSB_ERROR_INTERRUPTED) {
            cancelInFlight();
            finishUnsent(handled);
        }
    }

    int handleEvents() {
        timeval wait{static_cast<time_t>(timeoutMs_ / 1000 + 1), 0};
        return Libusb()->handle_events_timeout_completed(context_, &wait, nullptr);
    }

    void cancelInFlight() {
        for (Slot& slot : slots_) {
            if (slot.busy) {
                Libusb()->cancel_transfer(slot.transfer.get());
            }
        }
    }

    libusb_context* context_;
    libusb_device_handle* handle_;
    std::uint8_t endpoint_;
    const std::uint8_t* data_;
    std::size_t length_;
    std::size_t pieceSize_;
    unsigned timeoutMs_;
    std::size_t pieces_;
    std::vector<int> results_;
    std::vector<bool> finished_;
    std::vector<Slot> slots_;  // never grows after the constructor: libusb holds their addresses
    std::size_t next_ = 0;
    std::size_t reported_ = 0;
    std::size_t inFlight_ = 0;
};

}  // namespace

void LibusbWritePieces(libusb_context* context, libusb_device_handle* handle, std::uint8_t endpoint,
                       const std::uint8_t* data, std::size_t length, std::size_t pieceSize,
                       unsigned timeoutMs, const UsbDevice::PieceDone& onDone) {
    QueuedWrite(context, handle, endpoint, data, length, pieceSize, timeoutMs).run(onDone);
}

}  // namespace vexlor
