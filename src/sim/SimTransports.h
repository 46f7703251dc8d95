#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/writer/AccessLibrary.h"
#include "core/writer/UsbBus.h"
#include "sim/SimEndpoint.h"
#include "sim/SimWriter.h"
#include "sim/UsbBusModel.h"

namespace vexlor::sim {

// libusb's codes for the cases the simulated bus can produce.
inline constexpr int kUsbErrorNoDevice = -4;
inline constexpr int kUsbErrorInvalidParam = -2;

// The timing of a simulated bus: its model, and how many pieces of a queued write the host
// keeps in flight (1 for a host that waits for each transfer before the next).
struct SimBusTiming {
    UsbBusModel& bus;
    std::size_t queueDepth = kQueuedPieces;
};

class SimUsbDevice final : public UsbDevice {
  public:
    SimUsbDevice(SimWriter& writer, const SimBusTiming* timing)
        : writer_(writer), endpoint_(writer), timing_(timing) {}
    int setConfiguration(int configuration) override;
    int claimInterface(int interfaceNumber) override;
    int bulkWrite(std::uint8_t endpoint, const std::uint8_t* data, int length) override;
    int bulkRead(std::uint8_t endpoint, std::uint8_t* buffer, int length) override;
    void bulkWritePieces(std::uint8_t endpoint, const std::uint8_t* data, std::size_t length,
                         std::size_t pieceSize, const PieceDone& onDone) override;
    std::string errorText(int code) const override;

  private:
    int moveOut(std::uint8_t endpoint, const std::uint8_t* data, int length);

    SimWriter& writer_;
    SimEndpoint endpoint_;
    const SimBusTiming* timing_;
};

// Where the simulated writer sits on its bus.
inline constexpr const char* kSimUsbPortPath = "sim";

// A USB bus with the simulated writer on it while it is attached; transfers take no time
// unless a timing is given.
class SimUsbBus final : public UsbBus {
  public:
    explicit SimUsbBus(SimWriter& writer, const SimBusTiming* timing = nullptr)
        : writer_(writer), timing_(timing) {}
    std::unique_ptr<UsbDevice> openFirst(std::uint16_t vendorId, std::uint16_t productId) override;
    int lastOpenError() const override { return lastOpenError_; }
    std::vector<UsbWriterPlace> writerPlaces() override;
    std::unique_ptr<UsbDevice> openAt(const std::string& portPath) override;

  private:
    SimWriter& writer_;
    const SimBusTiming* timing_;
    int lastOpenError_ = 0;
};

// The maker's access library in front of the simulated writer: whole commands, no framing.
class SimAccessLibrary final : public AccessLibrary {
  public:
    explicit SimAccessLibrary(SimWriter& writer) : writer_(writer) {}
    std::int32_t open(std::uint32_t a, std::uint32_t b, std::uint32_t c) override;
    void close() override { open_ = false; }
    std::int32_t sendCommand(std::uint8_t command, std::uint8_t* data,
                             std::uint32_t length) override;
    std::int32_t receiveCommand(std::uint8_t command, std::uint8_t* buffer,
                                std::uint32_t length) override;
    void setTimeout(std::uint32_t value) override { timeout_ = value; }

    std::uint32_t timeout() const { return timeout_; }

  private:
    SimWriter& writer_;
    bool open_ = false;
    std::uint32_t timeout_ = 0;
};

}  // namespace vexlor::sim
