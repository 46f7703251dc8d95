#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/writer/AccessLibrary.h"
#include "core/writer/UsbBus.h"

namespace vexlor::test {

// One command as the device saw it: the bytes that came out of the host, or how many bytes the
// host asked for.
struct SeenCommand {
    std::uint8_t command;
    std::vector<std::uint8_t> payload;
    std::uint32_t inLength = 0;

    bool operator==(const SeenCommand&) const = default;
};

// A writer small enough to reason about in tests: memory with an address register, buffer
// areas, a scripted job status, and a transcript of every command. It speaks the 13-byte
// framing (consume/answer) and the access library's whole commands.
class FakeWriterDevice {
  public:
    FakeWriterDevice();

    // Whole commands, as the access library delivers them.
    void commandOut(std::uint8_t command, const std::uint8_t* data, std::uint32_t length);
    std::vector<std::uint8_t> commandIn(std::uint8_t command, std::uint32_t length);

    // Framed byte stream from the host; returns the bytes the device sends back.
    std::vector<std::uint8_t> consume(const std::uint8_t* data, std::size_t length);

    // Script
    std::string versionText = "USB STANDALONE WRITER_V1.1";
    std::array<std::uint8_t, 6> voltages{1, 2, 3, 4, 5, 6};
    std::deque<std::uint8_t> statuses;  // job status answers, one per poll
    std::uint8_t statusWhenScriptEnds = 0;
    bool corruptMemoryReadBack = false;
    std::map<int, bool> corruptAreaReadBack;  // by area number
    bool answerStatus = true;                 // false: no status block ever comes back

    // State
    std::vector<std::uint8_t> memory;
    std::map<int, std::vector<std::uint8_t>> areas;
    std::vector<SeenCommand> transcript;
    std::vector<std::uint8_t> jobData;

  private:
    static bool isOut(std::uint8_t command);

    std::uint32_t address_ = 0;
    int openArea_ = -1;
    // Framing state of the byte stream.
    std::vector<std::uint8_t> pendingBlock_;
    std::vector<std::uint8_t> pendingData_;
    std::uint8_t command_ = 0;
    std::uint32_t expected_ = 0;
    bool inData_ = false;
};

// The device as libusb would show it: bulk OUT feeds consume(), bulk IN takes the answer.
class FakeUsbDevice final : public UsbDevice {
  public:
    explicit FakeUsbDevice(FakeWriterDevice& device) : device_(device) {}
    int setConfiguration(int configuration) override;
    int claimInterface(int interfaceNumber) override;
    int bulkWrite(std::uint8_t endpoint, const std::uint8_t* data, int length) override;
    int bulkRead(std::uint8_t endpoint, std::uint8_t* buffer, int length) override;
    std::string errorText(int code) const override { return "fake error " + std::to_string(code); }

    int configurationResult = 0;
    int claimResult = 0;
    std::vector<std::uint8_t> endpointsUsed;

  private:
    FakeWriterDevice& device_;
    std::deque<std::uint8_t> answer_;
};

class FakeUsbBus final : public UsbBus {
  public:
    explicit FakeUsbBus(FakeWriterDevice* device) : device_(device) {}
    std::unique_ptr<UsbDevice> openFirst(std::uint16_t vendorId, std::uint16_t productId) override;

    FakeWriterDevice* device_;  // nullptr: nothing on the bus
    int configurationResult = 0;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> searched;
};

class FakeAccessLibrary final : public AccessLibrary {
  public:
    explicit FakeAccessLibrary(FakeWriterDevice& device) : device_(device) {}
    std::int32_t open(std::uint32_t a, std::uint32_t b, std::uint32_t c) override;
    void close() override { calls.push_back("close"); }
    std::int32_t sendCommand(std::uint8_t command, std::uint8_t* data,
                             std::uint32_t length) override;
    std::int32_t receiveCommand(std::uint8_t command, std::uint8_t* buffer,
                                std::uint32_t length) override;
    void setTimeout(std::uint32_t value) override {
        calls.push_back("timeout " + std::to_string(value));
    }

    std::int32_t openResult = 0;
    std::vector<std::string> calls;

  private:
    FakeWriterDevice& device_;
};

}  // namespace vexlor::test
