#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/SimChip.h"
#include "sim/SimCommands.h"
#include "sim/SimOptionArea.h"
#include "sim/SimVoltages.h"

namespace vexlor::sim {

enum class SimTransport : std::uint8_t { OwnUsb, AccessLibrary };

// Misbehaviour on request, for the failure paths of the program.
struct SimFaults {
    bool jobFails = false;            // every chip job ends with status FAIL
    bool jobNeverSettles = false;     // job status stays busy for ever
    bool corruptReadBack = false;     // memory and area reads come back with one byte flipped
    bool statusWithheld = false;      // own path: commands are taken, no status block follows
    bool voltagesOutOfRange = false;  // every measurement far above its nominal value
    // Every measurement on (or just beyond) a bound of the range the program accepts.
    std::optional<VoltageEdge> voltageEdge;
    // Status bytes answered, in this order, before the job's own: a writer that flickers.
    std::deque<std::uint8_t> statusScript;
    // Measurement blocks answered, in this order, before the measured ones: a drifting board.
    std::deque<std::array<std::uint8_t, 6>> voltageScript;
    // The writer vanishes once this many more data bytes have moved (unplugged mid-transfer).
    std::optional<std::size_t> removeAfterBytes;
    // Only the chip job with this number, counted from 1 from now on, ends with status FAIL.
    std::optional<std::size_t> failChipJob;
};

inline constexpr std::string_view kVersionV10 = "USB STANDALONE WRITER_V1.0";
inline constexpr std::string_view kVersionV11 = "USB STANDALONE WRITER_V1.1";
inline constexpr std::string_view kVersionV20 = "USB STANDALONE WRITER_V2.0";

struct SimConfig {
    std::string versionText{kVersionV20};
    // Loaded at writer address 0; empty means the generated base firmware.
    std::vector<std::uint8_t> firmwareImage;
    // Hardware identification bytes 3 and 4 (model) and 5..7 (hardware number).
    std::array<std::uint8_t, 2> hardwareModel{0x01, 0x01};
    std::array<std::uint8_t, 3> hardwareNumber{0x12, 0x34, 0x56};
    std::size_t chipSize = 0x20000;  // as large as the data area, so any download fits
    std::uint8_t chipBlank = 0xFF;
    int busyPolls = 3;
    std::uint8_t okStatus = status::kOk;  // 1 or 2: both mean OK
    // An operator who puts a fresh chip into the socket before every Auto.
    bool freshChipPerAuto = false;
    bool keepTranscript = true;
};

struct TranscriptEntry {
    SimTransport transport;
    std::uint8_t command;
    bool in;
    std::size_t length;
    std::vector<std::uint8_t> payload;  // data out, up to kTranscriptPayloadLimit bytes
    bool ok;
};
inline constexpr std::size_t kTranscriptPayloadLimit = 512;

inline constexpr std::size_t kWriterMemorySize = 0x20000;
inline constexpr std::size_t kOptionAreaSize = 0x1000;
inline constexpr std::size_t kDataAreaSize = 0x20000;
inline constexpr std::size_t kVersionLength = 26;

// The writer as a device: it executes whole commands. The transports in front of it carry the
// bytes; which one a command came through matters for address and control-word layouts.
class SimWriter {
  public:
    explicit SimWriter(SimConfig config = {});

    // False when the writer is not attached or refuses the command; a refused read leaves
    // zeros in the buffer.
    bool commandOut(SimTransport transport, std::uint8_t code,
                    std::span<const std::uint8_t> payload);
    bool commandIn(SimTransport transport, std::uint8_t code, std::span<std::uint8_t> buffer);

    bool attached() const { return attached_; }
    // Plugged in, but the device node does not let this user open it (no udev rule).
    bool accessDenied() const { return accessDenied_; }
    void denyAccess() { accessDenied_ = true; }
    void attach();
    void detach();
    // Puts a job's option area into the writer as a download would, leaving the writer
    // detached and the transcript empty.
    void seedOptionArea(std::span<const std::uint8_t> optionArea);
    // Counts data bytes against a pending removal fault; false once the writer has vanished.
    bool passBytes(std::size_t count);

    SimFaults& faults() { return faults_; }
    // An operator who puts a blank chip into the socket before every Program or Auto.
    void setFreshChipPerJob(bool on) { freshChipPerJob_ = on; }
    const SimConfig& config() const { return config_; }
    const std::vector<TranscriptEntry>& transcript() const { return transcript_; }
    void clearTranscript() { transcript_.clear(); }
    // Called with every command as it completes, kept in the transcript or not.
    void setCommandObserver(std::function<void(const TranscriptEntry&)> observer) {
        observer_ = std::move(observer);
    }

    std::span<const std::uint8_t> memory() const { return memory_; }
    std::span<const std::uint8_t> optionArea() const { return optionArea_; }
    std::span<const std::uint8_t> dataArea() const { return dataArea_; }
    // Bytes of the last download into the data area: what Program writes into the chip.
    std::size_t downloadedLength() const { return downloadedLength_; }
    SimChip& chip() { return chip_; }
    std::uint8_t mode() const { return mode_; }
    std::uint8_t lamp() const { return lamp_; }
    std::optional<std::uint8_t> openArea() const { return openArea_; }

  private:
    bool executeOut(SimTransport transport, std::uint8_t code,
                    std::span<const std::uint8_t> payload);
    bool executeIn(SimTransport transport, std::uint8_t code, std::span<std::uint8_t> buffer);
    bool setAddress(SimTransport transport, std::span<const std::uint8_t> payload);
    bool selectArea(std::span<const std::uint8_t> payload);
    bool writeArea(std::span<const std::uint8_t> payload);
    bool readArea(std::span<std::uint8_t> buffer);
    bool writeMemory(std::span<const std::uint8_t> payload);
    bool readMemory(std::span<std::uint8_t> buffer);
    bool startJob(std::uint8_t jobCode);
    std::uint8_t pollStatus();
    bool readJobData(std::span<std::uint8_t> buffer);
    bool readHardwareId(SimTransport transport, std::span<std::uint8_t> buffer) const;
    void corruptIfAsked(std::span<std::uint8_t> buffer) const;

    bool runChipJob(std::uint8_t jobCode);
    // Counts a chip job against failChipJob: true for the one that is to fail.
    bool scheduledFailure();
    bool programChip();
    // What Verify compares with: the last programmed image, serial number included, or the
    // download when this writer has programmed nothing since.
    std::span<const std::uint8_t> expectedImage() const;
    std::span<std::uint8_t> openAreaBytes();
    void record(SimTransport transport, std::uint8_t code, bool in, std::size_t length,
                std::span<const std::uint8_t> payload, bool ok);

    SimConfig config_;
    SimFaults faults_;
    bool freshChipPerJob_ = false;
    bool attached_ = true;
    bool accessDenied_ = false;

    std::vector<std::uint8_t> memory_;
    std::vector<std::uint8_t> optionArea_;
    std::vector<std::uint8_t> dataArea_;
    std::size_t downloadedLength_ = 0;
    std::optional<std::uint8_t> openArea_;
    std::size_t areaWritePos_ = 0;
    std::size_t areaReadPos_ = 0;
    std::size_t address_ = 0;
    std::uint8_t mode_ = 0x07;
    std::uint8_t lamp_ = 0x90;
    SimVoltages voltages_;
    SimChip chip_;
    // The image the chip was last programmed with since the download, serial number included.
    std::vector<std::uint8_t> programmedImage_;

    std::uint8_t jobResult_ = status::kBusy;
    int busyPollsLeft_ = 0;
    std::vector<std::uint8_t> jobData_;
    std::size_t jobDataPos_ = 0;

    std::vector<TranscriptEntry> transcript_;
    std::function<void(const TranscriptEntry&)> observer_;
};

}  // namespace vexlor::sim
