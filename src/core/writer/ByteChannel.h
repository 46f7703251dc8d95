#pragma once

#include <cstddef>
#include <cstdint>

namespace vexlor {

// One direction-agnostic byte pipe to the writer: the framed transfers of the own USB path
// run over it. Implemented by libusb bulk endpoints, device-file pipes and the simulator.
class ByteChannel {
  public:
    virtual ~ByteChannel() = default;
    // Both return whether all bytes went out or came in.
    virtual bool write(const std::uint8_t* data, std::size_t length) = 0;
    virtual bool read(std::uint8_t* buffer, std::size_t length) = 0;
};

}  // namespace vexlor
