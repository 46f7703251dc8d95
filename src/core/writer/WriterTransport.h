#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/writer/FramedTransfer.h"

namespace vexlor {

// Absent: nothing reachable. Busy: the writer is there but another program holds it.
// Denied: the writer is there but this user may not open it.
enum class OpenResult { Opened, Absent, Busy, Denied };

enum class WordOrder { HighFirst, LowFirst };

// Where the ways to the writer differ in what goes over the wire; the writer operations ask
// instead of knowing which way they run on.
struct TransportTraits {
    WordOrder controlWordOrder;
    std::size_t addressBytes;  // width of the set-address payload, high byte first
    // The transfers report their pieces themselves; otherwise the long operations report a
    // few fixed steps.
    bool reportsPieces;
    // Writer memory is addressed whatever version the writer reported.
    bool addressesUnknownVersions;
};

// One way to the writer: opens it and carries one command with its data.
class WriterTransport {
  public:
    virtual ~WriterTransport() = default;

    // How the writer is reached, for people.
    virtual std::string name() const = 0;
    virtual OpenResult open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // One command with data out or in; feedback is used only by transfers that report pieces.
    virtual bool send(std::uint8_t command, const std::uint8_t* data, std::uint32_t length,
                      const TransferFeedbackHooks& feedback) = 0;
    virtual bool receive(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length,
                         const TransferFeedbackHooks& feedback) = 0;
    // The version block of command 0x04.
    virtual bool readVersion(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length) = 0;

    virtual TransportTraits traits() const = 0;
    // A removal notice concerns this transport's writer.
    virtual bool concerns(std::string_view notifiedDeviceName) const = 0;
    // After a removal notice: the writer still answers, so it was not this one that went.
    virtual bool stillReachable() = 0;
};

}  // namespace vexlor
