#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "core/base/Clock.h"
#include "core/base/MessageCatalogue.h"
#include "core/base/Operator.h"
#include "core/writer/CommandSet.h"
#include "core/writer/OperationButtons.h"
#include "core/writer/WriterConnection.h"

namespace vexlor {

inline constexpr std::uint32_t kAreaBufferSize = 0x20000;
inline constexpr std::uint32_t kFirmwareImageSize = 0x10800;
inline constexpr std::uint32_t kImageVersionOffset = 0xFA90;
inline constexpr std::uint32_t kImageFamilyOffset = 0xFA94;

// What the writer operations reach on the host side besides the connection.
struct WriterHost {
    Operator& op;
    const MessageCatalogue& catalogue;
    OperationButtons& buttons;
    Clock& clock;
    std::filesystem::path baseDirectory;
};

// The writer's command set and the composite operations built on it. Results: true = OK.
class Writer {
  public:
    // Consecutive failed status reads after which a job counts as lost.
    static constexpr int kMaxFailedStatusReads = 3;
    static constexpr std::uint32_t kJobPollIntervalMs = 2;

    Writer(WriterConnection& connection, WriterHost host)
        : connection_(connection), host_(std::move(host)) {}

    WriterConnection& connection() { return connection_; }
    WriterLink& link() { return connection_.link(); }

    bool SendCommand(std::uint8_t command, const std::uint8_t* data, std::uint32_t length) {
        return connection_.SendCommand(command, data, length);
    }
    bool ReceiveData(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length) {
        return connection_.ReceiveData(command, buffer, length);
    }
    bool ReadVersionBlock(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length) {
        return connection_.ReadVersionBlock(command, buffer, length);
    }

    bool ChangeWriterMode(std::uint8_t mode);
    bool SetOperationLamp(std::uint8_t value);
    bool WriteControlByte(std::uint8_t value);
    // In the transport's byte order.
    bool WriteControlWord(std::uint16_t value);
    bool ReadVoltageBlock(std::array<std::uint8_t, 6>& buffer);
    // 0 when the transport may not address memory on this writer version (nothing is sent).
    std::uint8_t ReadWriterByte(std::uint32_t address);

    // A missing or short image fails before anything is sent.
    bool WriteFirmwareImage(const std::filesystem::path& path, bool prepare);
    // Files longer than the writer's area buffer are refused with a message.
    bool WriteAreaFromFile(const std::filesystem::path& path, std::uint8_t area);
    void ReadOptionHeader(std::array<std::uint8_t, kOptionHeaderSize>& buffer);
    // Polls every kJobPollIntervalMs until six equal non-zero statuses; a job that does not
    // settle within JobPollLimit(timeout) polls or JobTimeLimitMs(timeout), or whose status
    // reads keep failing, ends as FAIL with a message and the writer link closed.
    bool RunWriterJob(std::uint8_t jobCode, std::uint32_t timeout);
    bool ReadJobData(std::uint8_t* buffer, std::uint32_t length);
    void BeginHostSequence();
    bool DownloadBuffers();
    bool EnsureFamilyFirmware(const std::filesystem::path& ncePath);
    void BusyWait(std::uint32_t ms) { host_.clock.busyWait(ms); }

    // The settled job takes about 50 x timeout polls (the progress bar's range); allow twenty
    // times that, and never fewer than 20000.
    static std::uint64_t JobPollLimit(std::uint32_t timeout);
    // The same bound in time, for exchanges that take longer than the pause between polls.
    static std::uint64_t JobTimeLimitMs(std::uint32_t timeout);

  private:
    TransportTraits traits() { return connection_.transport().traits(); }
    bool SetAddress(std::uint32_t address);
    // The own path addresses writer memory only on a writer version it knows.
    bool MayAddressMemory();
    // Transports that report no pieces show a few fixed steps of the long operations instead.
    void ReportStepProgress(int position);

    WriterConnection& connection_;
    WriterHost host_;
};

}  // namespace vexlor
