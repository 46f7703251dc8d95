#pragma once

#include <string>

#include "core/writer/AccessLibrary.h"
#include "core/writer/WriterTransport.h"

namespace vexlor {

// The maker's access library: whole commands, its own framing and time-outs.
class AccessLibraryTransport final : public WriterTransport {
  public:
    static constexpr std::uint32_t kOpenArgument = 0x5A5B;
    static constexpr std::uint32_t kTimeout = 5;

    AccessLibraryTransport(AccessLibrary& library, std::string name)
        : library_(library), name_(std::move(name)) {}

    std::string name() const override { return name_; }
    // Ordinal 1 with the writer's argument, then the library's time-out.
    OpenResult open() override;
    void close() override {
        library_.close();
        open_ = false;
    }
    bool isOpen() const override { return open_; }

    bool send(std::uint8_t command, const std::uint8_t* data, std::uint32_t length,
              const TransferFeedbackHooks& feedback) override;
    bool receive(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length,
                 const TransferFeedbackHooks& feedback) override;
    bool readVersion(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length) override {
        return library_.receiveCommand(command, buffer, length) != 0;
    }

    TransportTraits traits() const override { return {WordOrder::HighFirst, 4, false, true}; }
    // The library tells arrival and removal itself, whatever the device is called.
    bool concerns(std::string_view) const override { return true; }
    bool stillReachable() override { return library_.open(kOpenArgument, 0, 0) == 0; }

  private:
    AccessLibrary& library_;
    std::string name_;
    bool open_ = false;
};

}  // namespace vexlor
