#include "sim/SimEndpoint.h"

#include <algorithm>
#include <array>

namespace vexlor::sim {

namespace {
constexpr std::array<std::uint8_t, 4> kCommandSignature{'U', 'S', 'B', 'C'};
constexpr std::array<std::uint8_t, 4> kStatusSignature{'U', 'S', 'B', 'S'};
constexpr std::size_t kLengthOffset = 8;
constexpr std::size_t kCommandOffset = 12;
}  // namespace

void SimEndpoint::reset() {
    block_.clear();
    inDataPhase_ = false;
    data_.clear();
    received_ = 0;
    replies_.clear();
    replyPos_ = 0;
}

bool SimEndpoint::hostWrite(std::span<const std::uint8_t> bytes) {
    if (!writer_.passBytes(bytes.size())) {
        reset();
        return false;
    }
    for (std::size_t i = 0; i < bytes.size();) {
        if (!inDataPhase_) {
            if (block_.empty() && pending() > 0) {
                // A new command before the last answer was read: the host gave up on it.
                replies_.clear();
                replyPos_ = 0;
            }
            takeBlockByte(bytes[i++]);
            continue;
        }
        const std::size_t n = std::min(bytes.size() - i, length_ - received_);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i), n,
                    data_.begin() + static_cast<std::ptrdiff_t>(received_));
        received_ += n;
        i += n;
        if (received_ == length_) {
            finishOut();
        }
    }
    return true;
}

std::size_t SimEndpoint::hostRead(std::span<std::uint8_t> buffer) {
    const std::size_t n = std::min(buffer.size(), pending());
    if (n == 0 || !writer_.passBytes(n)) {
        if (!writer_.attached()) {
            reset();
        }
        return 0;
    }
    std::copy_n(replies_.begin() + static_cast<std::ptrdiff_t>(replyPos_), n, buffer.begin());
    replyPos_ += n;
    if (replyPos_ == replies_.size()) {
        replies_.clear();
        replyPos_ = 0;
    }
    return n;
}

void SimEndpoint::takeBlockByte(std::uint8_t byte) {
    block_.push_back(byte);
    // Resynchronise on the signature: a byte that cannot begin "USBC" here is dropped.
    while (!block_.empty() &&
           !std::equal(block_.begin(),
                       block_.begin() + static_cast<std::ptrdiff_t>(
                                            std::min(block_.size(), kCommandSignature.size())),
                       kCommandSignature.begin())) {
        block_.erase(block_.begin());
        ++skipped_;
    }
    if (block_.size() == kBlockSize) {
        startCommand();
    }
}

void SimEndpoint::startCommand() {
    command_ = block_[kCommandOffset];
    length_ = static_cast<std::size_t>(block_[kLengthOffset]) |
              static_cast<std::size_t>(block_[kLengthOffset + 1]) << 8 |
              static_cast<std::size_t>(block_[kLengthOffset + 2]) << 16 |
              static_cast<std::size_t>(block_[kLengthOffset + 3]) << 24;
    block_.clear();
    if (length_ > kMaxDataPhase) {
        // Refused at once: waiting for gigabytes that never come would wedge the writer.
        queueStatus(false);
        return;
    }
    if (isInCommand(command_)) {
        const std::size_t start = replies_.size();
        replies_.resize(start + length_);
        const bool ok = writer_.commandIn(SimTransport::OwnUsb, command_,
                                          std::span(replies_).subspan(start, length_));
        queueStatus(ok);
        return;
    }
    data_.assign(length_, 0);
    received_ = 0;
    inDataPhase_ = true;
    if (length_ == 0) {
        finishOut();
    }
}

void SimEndpoint::finishOut() {
    inDataPhase_ = false;
    const bool ok = writer_.commandOut(SimTransport::OwnUsb, command_, data_);
    data_.clear();
    queueStatus(ok);
}

void SimEndpoint::queueStatus(bool ok) {
    if (writer_.faults().statusWithheld) {
        return;
    }
    std::array<std::uint8_t, kBlockSize> status{};
    std::copy(kStatusSignature.begin(), kStatusSignature.end(), status.begin());
    status[kCommandOffset] = ok ? 0 : 1;
    replies_.insert(replies_.end(), status.begin(), status.end());
}

}  // namespace vexlor::sim
