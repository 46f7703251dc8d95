#include "sim/SimWriter.h"

#include <algorithm>

#include "sim/SimChipInfo.h"
#include "sim/SimFirmwareImage.h"

namespace vexlor::sim {

namespace {
// The older board (V1.0, or a text the program does not know) has no DACs.
bool hasDacBoard(std::string_view versionText) {
    return versionText == kVersionV11 || versionText == kVersionV20;
}

constexpr std::uint8_t kMemoryMode = 0x00;
constexpr std::uint8_t kSkewOutOfRange = 0x12;
constexpr std::array<std::uint8_t, 3> kHardwareIdLetters{0x4B, 0x4C, 0x57};

// A cut copy that reports whether all of it fitted.
bool copyInto(std::span<std::uint8_t> target, std::size_t offset,
              std::span<const std::uint8_t> source) {
    if (offset >= target.size()) {
        return source.empty();
    }
    const std::size_t n = std::min(source.size(), target.size() - offset);
    std::copy_n(source.begin(), n, target.begin() + static_cast<std::ptrdiff_t>(offset));
    return n == source.size();
}

bool copyOut(std::span<std::uint8_t> target, std::span<const std::uint8_t> source,
             std::size_t offset) {
    std::fill(target.begin(), target.end(), 0);
    if (offset >= source.size()) {
        return target.empty();
    }
    const std::size_t n = std::min(target.size(), source.size() - offset);
    std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(offset), n, target.begin());
    return n == target.size();
}
}  // namespace

SimWriter::SimWriter(SimConfig config)
    : config_(std::move(config)),
      memory_(kWriterMemorySize, 0xFF),
      optionArea_(kOptionAreaSize, 0),
      dataArea_(kDataAreaSize, 0xFF),
      voltages_(hasDacBoard(config_.versionText)),
      chip_(config_.chipSize, config_.chipBlank) {
    const auto image =
        config_.firmwareImage.empty() ? makeBaseFirmwareImage() : config_.firmwareImage;
    copyInto(memory_, 0, image);
}

void SimWriter::attach() {
    attached_ = true;
}

void SimWriter::seedOptionArea(std::span<const std::uint8_t> optionArea) {
    attach();
    const std::uint8_t open[] = {kOptionArea, kAreaOpenTag};
    const std::uint8_t close[] = {kAreaCloseFirst, kAreaCloseSecond};
    commandOut(SimTransport::OwnUsb, cmd::kOpenArea, open);
    commandOut(SimTransport::OwnUsb, cmd::kWriteArea, optionArea);
    commandOut(SimTransport::OwnUsb, cmd::kOpenArea, close);
    detach();
    clearTranscript();
}

void SimWriter::detach() {
    // Power goes with the cable: what was in flight is gone, what is stored stays.
    attached_ = false;
    openArea_.reset();
    jobResult_ = status::kBusy;
    busyPollsLeft_ = 0;
    mode_ = 0x07;
}

bool SimWriter::passBytes(std::size_t count) {
    if (!attached_) {
        return false;
    }
    if (!faults_.removeAfterBytes) {
        return true;
    }
    if (count > *faults_.removeAfterBytes) {
        faults_.removeAfterBytes.reset();
        detach();
        return false;
    }
    *faults_.removeAfterBytes -= count;
    return true;
}

void SimWriter::record(SimTransport transport, std::uint8_t code, bool in, std::size_t length,
                       std::span<const std::uint8_t> payload, bool ok) {
    if (!config_.keepTranscript && !observer_) {
        return;
    }
    const auto kept = payload.first(std::min(payload.size(), kTranscriptPayloadLimit));
    TranscriptEntry entry{transport, code, in, length, {kept.begin(), kept.end()}, ok};
    if (observer_) {
        observer_(entry);
    }
    if (config_.keepTranscript) {
        transcript_.push_back(std::move(entry));
    }
}

bool SimWriter::commandOut(SimTransport transport, std::uint8_t code,
                           std::span<const std::uint8_t> payload) {
    const bool ok = attached_ && !isInCommand(code) && executeOut(transport, code, payload);
    record(transport, code, false, payload.size(), payload, ok);
    return ok;
}

bool SimWriter::commandIn(SimTransport transport, std::uint8_t code,
                          std::span<std::uint8_t> buffer) {
    std::fill(buffer.begin(), buffer.end(), 0);
    const bool ok = attached_ && isInCommand(code) && executeIn(transport, code, buffer);
    record(transport, code, true, buffer.size(), {}, ok);
    return ok;
}

bool SimWriter::executeOut(SimTransport transport, std::uint8_t code,
                           std::span<const std::uint8_t> payload) {
    const auto oneByte = [&payload](auto apply) {
        if (payload.size() != 1) {
            return false;
        }
        apply(payload[0]);
        return true;
    };
    switch (code) {
        case command::kMode:
            return oneByte([this](std::uint8_t v) { mode_ = v; });
        case command::kControlByte:
            return oneByte([this](std::uint8_t v) { voltages_.setControlByte(v); });
        case command::kLamp:
            return oneByte([this](std::uint8_t v) { lamp_ = v; });
        case command::kStartJob:
            return payload.size() == 1 && startJob(payload[0]);
        case command::kControlWord: {
            if (payload.size() != 2) {
                return false;
            }
            // The access library sends the high byte first, the own path the low byte.
            const bool highFirst = transport == SimTransport::AccessLibrary;
            const std::uint8_t high = highFirst ? payload[0] : payload[1];
            const std::uint8_t low = highFirst ? payload[1] : payload[0];
            voltages_.setControlWord(static_cast<std::uint16_t>(high << 8 | low));
            return true;
        }
        case command::kSetAddress:
            return setAddress(transport, payload);
        case command::kWriteMemory:
            return writeMemory(payload);
        case command::kWriteArea:
            return writeArea(payload);
        case command::kOpenArea:
            return selectArea(payload);
        default:
            return false;
    }
}

bool SimWriter::executeIn(SimTransport transport, std::uint8_t code,
                          std::span<std::uint8_t> buffer) {
    switch (code) {
        case command::kVersion: {
            const auto& text = config_.versionText;
            const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                         std::min(text.size(), kVersionLength));
            copyOut(buffer, bytes, 0);
            return true;
        }
        case command::kVoltage: {
            voltages_.setSkew(faults_.voltagesOutOfRange ? kSkewOutOfRange : 0);
            voltages_.setEdge(faults_.voltageEdge);
            auto m = voltages_.measure();
            if (!faults_.voltageScript.empty()) {
                m = faults_.voltageScript.front();
                faults_.voltageScript.pop_front();
            }
            copyOut(buffer, m, 0);
            return true;
        }
        case command::kReadMemory:
            return readMemory(buffer);
        case command::kReadArea:
            return readArea(buffer);
        case command::kJobStatus:
            if (buffer.empty()) {
                return false;
            }
            buffer[0] = pollStatus();
            return true;
        case command::kJobData:
            return readJobData(buffer);
        case command::kHardwareId:
            return readHardwareId(transport, buffer);
        default:
            return false;
    }
}

bool SimWriter::setAddress(SimTransport transport, std::span<const std::uint8_t> payload) {
    // Four address bytes through the access library, two on the own path; high byte first.
    const std::size_t expected = transport == SimTransport::AccessLibrary ? 4 : 2;
    if (mode_ != kMemoryMode || payload.size() != expected) {
        return false;
    }
    std::size_t address = 0;
    for (std::uint8_t byte : payload) {
        address = address << 8 | byte;
    }
    address_ = address;
    return address_ < memory_.size();
}

bool SimWriter::writeMemory(std::span<const std::uint8_t> payload) {
    if (mode_ != kMemoryMode) {
        return false;
    }
    const bool ok = copyInto(memory_, address_, payload);
    address_ += payload.size();
    return ok;
}

bool SimWriter::readMemory(std::span<std::uint8_t> buffer) {
    if (mode_ != kMemoryMode) {
        return false;
    }
    const bool ok = copyOut(buffer, memory_, address_);
    address_ += buffer.size();
    corruptIfAsked(buffer);
    return ok;
}

bool SimWriter::selectArea(std::span<const std::uint8_t> payload) {
    if (payload.size() != 2) {
        return false;
    }
    if (payload[0] == kAreaCloseFirst && payload[1] == kAreaCloseSecond) {
        openArea_.reset();
        return true;
    }
    if ((payload[0] != kOptionArea && payload[0] != kDataArea) || payload[1] != kAreaOpenTag) {
        return false;
    }
    openArea_ = payload[0];
    areaWritePos_ = 0;
    areaReadPos_ = 0;
    return true;
}

std::span<std::uint8_t> SimWriter::openAreaBytes() {
    if (!openArea_) {
        return {};
    }
    return *openArea_ == kOptionArea ? std::span(optionArea_) : std::span(dataArea_);
}

bool SimWriter::writeArea(std::span<const std::uint8_t> payload) {
    const auto area = openAreaBytes();
    if (area.empty()) {
        return false;
    }
    const bool ok = copyInto(area, areaWritePos_, payload);
    areaWritePos_ = std::min(area.size(), areaWritePos_ + payload.size());
    if (*openArea_ == kDataArea) {
        // A download replaces the job's data, however long the previous one was.
        downloadedLength_ = areaWritePos_;
        programmedImage_.clear();
    }
    return ok;
}

bool SimWriter::readArea(std::span<std::uint8_t> buffer) {
    const auto area = openAreaBytes();
    if (area.empty()) {
        return false;
    }
    const bool ok = copyOut(buffer, area, areaReadPos_);
    areaReadPos_ += buffer.size();
    corruptIfAsked(buffer);
    return ok;
}

void SimWriter::corruptIfAsked(std::span<std::uint8_t> buffer) const {
    if (faults_.corruptReadBack && !buffer.empty()) {
        buffer[buffer.size() / 2] ^= 0xFF;
    }
}

bool SimWriter::startJob(std::uint8_t jobCode) {
    busyPollsLeft_ = config_.busyPolls;
    switch (jobCode) {
        case job::kHostSequence:
        case job::kFirmwareImage:
            // The writer only gets ready for the host; there is no result to report.
            jobResult_ = status::kBusy;
            busyPollsLeft_ = 0;
            return true;
        case job::kRead:
            jobData_.assign(chip_.contents().begin(), chip_.contents().end());
            if (!chip_.present()) {
                std::fill(jobData_.begin(), jobData_.end(), 0);
            }
            jobDataPos_ = 0;
            jobResult_ = chip_.present() ? config_.okStatus : status::kFail;
            return true;
        case job::kAuto:
        case job::kBlankCheck:
        case job::kProgram:
        case job::kVerify:
            jobResult_ = !faults_.jobFails && !scheduledFailure() && runChipJob(jobCode)
                             ? config_.okStatus
                             : status::kFail;
            return true;
        default:
            // A job the writer does not know is refused at once.
            jobResult_ = status::kFail;
            busyPollsLeft_ = 0;
            return false;
    }
}

bool SimWriter::scheduledFailure() {
    if (!faults_.failChipJob) {
        return false;
    }
    if (--*faults_.failChipJob > 0) {
        return false;
    }
    faults_.failChipJob.reset();
    return true;
}

bool SimWriter::runChipJob(std::uint8_t jobCode) {
    switch (jobCode) {
        case job::kBlankCheck:
            return chip_.isBlank();
        case job::kProgram:
            if (freshChipPerJob_) {
                chip_.insertBlank();
            }
            return programChip();
        case job::kVerify:
            if (chip_.present()) {
                recordChipInfo(optionArea_, chip_, downloadedLength_);
            }
            return downloadedLength_ > 0 && chip_.matches(expectedImage());
        default: {
            if (!productionAllowed(optionArea_)) {
                return false;
            }
            if (config_.freshChipPerAuto || freshChipPerJob_) {
                chip_.insertBlank();
            }
            const bool ok = chip_.isBlank() && programChip() && chip_.matches(programmedImage_);
            if (ok) {
                countProducedChip(optionArea_);
            }
            return ok;
        }
    }
}

std::span<const std::uint8_t> SimWriter::expectedImage() const {
    if (!programmedImage_.empty()) {
        return programmedImage_;
    }
    return std::span(dataArea_).first(downloadedLength_);
}

bool SimWriter::programChip() {
    if (downloadedLength_ == 0 || !chip_.present()) {
        return false;
    }
    std::vector<std::uint8_t> image(
        dataArea_.begin(), dataArea_.begin() + static_cast<std::ptrdiff_t>(downloadedLength_));
    const SerialStep serial = nextSerial(optionArea_);
    if (serial.inUse) {
        if (serial.exhausted) {
            return false;
        }
        const std::size_t end = serial.patch.address + serial.patch.bytes.size();
        if (image.size() < end) {
            image.resize(end, chip_.blankValue());
        }
        copyInto(image, serial.patch.address, serial.patch.bytes);
    }
    programmedImage_ = image;
    chip_.setSystemConfig(jobSystemConfig(optionArea_));
    const bool ok = chip_.program(image);
    if (ok && serial.inUse) {
        advanceSerial(optionArea_);
    }
    return ok;
}

std::uint8_t SimWriter::pollStatus() {
    if (!faults_.statusScript.empty()) {
        const std::uint8_t scripted = faults_.statusScript.front();
        faults_.statusScript.pop_front();
        return scripted;
    }
    if (faults_.jobNeverSettles) {
        return status::kBusy;
    }
    if (busyPollsLeft_ > 0) {
        --busyPollsLeft_;
        return status::kBusy;
    }
    return jobResult_;
}

bool SimWriter::readJobData(std::span<std::uint8_t> buffer) {
    const bool ok = copyOut(buffer, jobData_, jobDataPos_);
    jobDataPos_ += buffer.size();
    return ok;
}

bool SimWriter::readHardwareId(SimTransport transport, std::span<std::uint8_t> buffer) const {
    // Only the access library knows this command.
    if (transport != SimTransport::AccessLibrary) {
        return false;
    }
    std::array<std::uint8_t, 8> id{};
    std::copy(kHardwareIdLetters.begin(), kHardwareIdLetters.end(), id.begin());
    std::copy(config_.hardwareModel.begin(), config_.hardwareModel.end(), id.begin() + 3);
    std::copy(config_.hardwareNumber.begin(), config_.hardwareNumber.end(), id.begin() + 5);
    copyOut(buffer, id, 0);
    return true;
}

}  // namespace vexlor::sim
