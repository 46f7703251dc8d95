#include "core/serial/SerialProgramSession.h"

#include <algorithm>

#include "core/base/Diagnostics.h"

namespace vexlor {

namespace {

constexpr const char* kCaption = "Message";

SerialNumber counterFrom(const std::string& text) {
    return SerialNumber::FromHex(text).value_or(SerialNumber{});
}

}  // namespace

SerialProgramSession::SerialProgramSession(SerialRunState& state, SerialJournal& journal,
                                           Operator& op, std::string chipName, bool fromLoad)
    : state_(state),
      journal_(journal),
      op_(op),
      chipName_(std::move(chipName)),
      fromLoad_(fromLoad) {}

void SerialProgramSession::start() {
    okCount_ = totalCount_ = ngCount_ = SerialNumber{};
    if (auto open = journal_.openRun()) {
        okCount_ = counterFrom(open->counters.ok);
        ngCount_ = counterFrom(open->counters.ng);
        totalCount_ = counterFrom(open->counters.total);
    }
    showCounters();
    programEnabled_ = false;
}

void SerialProgramSession::showCounters() {
    state_.okText = okCount_.ToHex();
    state_.ngText = ngCount_.ToHex();
    state_.totalText = totalCount_.ToHex();
}

SerialProgramSession::ChipResult SerialProgramSession::programOneChip(Writer& writer,
                                                                      const ICInfo& chip,
                                                                      ProductionEntry* logEntry) {
    ChipResult result;
    totalCount_.increment();
    showCounters();
    const std::uint8_t jobCode = fromLoad_ ? job::kAuto : job::kProgram;
    const std::int32_t timeout = fromLoad_ ? chip.Auto_Timeout : chip.Program_Timeout;
    constexpr const char* kStage = "Serial chip";
    ProgressSink& progress = writer.connection().progress();
    progress.beginStage(kStage);
    result.passed = writer.RunWriterJob(jobCode, static_cast<std::uint32_t>(std::max(timeout, 0)));
    progress.result(kStage, result.passed, result.passed ? "OK" : "NG");
    if (!result.passed) {
        ngCount_.increment();
        showCounters();
        result.journaled = journal(false, "", logEntry);
        return result;
    }
    SerialNumber serial = counterFrom(state_.currentSerial);
    result.serialUsed = serial.ToHex();
    serial.increment();
    state_.currentSerial = serial.ToHex();
    okCount_.increment();
    showCounters();
    serial.decrement();
    result.journaled = journal(true, result.serialUsed, logEntry);
    if (auto end = SerialNumber::FromHex(state_.endSerial); end && serial == *end) {
        result.complete = true;
        programEnabled_ = false;
    }
    return result;
}

// A result that cannot be kept is reported once; the run goes on, counted on screen.
bool SerialProgramSession::journal(bool ok, const std::string& serialUsed,
                                   ProductionEntry* logEntry) {
    if (logEntry) {
        logEntry->passed = ok;
        logEntry->message = ok ? "" : "the writer reported FAIL";
        logEntry->serial =
            serialUsed.empty()
                ? ""
                : PadSerialForDisplay(serialUsed, state_.lengthBytes).value_or(serialUsed);
    }
    const bool kept =
        journal_.beginRun(chipName_) &&
        journal_.recordChip(ok, serialUsed, {state_.okText, state_.ngText, state_.totalText},
                            state_.currentSerial, logEntry);
    if (!kept && !journalFailed_) {
        journalFailed_ = true;
        op_.message(format("The run journal cannot be written (%s); the counters are kept on "
                           "screen only.",
                           journal_.error().c_str()),
                    kCaption, MessageIcon::Exclamation);
    }
    return kept;
}

void SerialProgramSession::showComplete() {
    op_.message(kSerialCompleteMessage, kCaption);
}

void SerialProgramSession::resetCount() {
    okCount_ = ngCount_ = totalCount_ = SerialNumber{};
    showCounters();
    journal_.resetCounters();
}

void SerialProgramSession::close() {
    state_.ResetAfterClose();
    okCount_ = ngCount_ = totalCount_ = SerialNumber{};
    fromLoad_ = false;
    journal_.endRun();
}

std::string SerialProgramSession::startSerialText() const {
    return PadSerialForDisplay(state_.currentSerial, state_.lengthBytes)
        .value_or(state_.currentSerial);
}

std::string SerialProgramSession::endSerialText() const {
    return PadSerialForDisplay(state_.endSerial, state_.lengthBytes).value_or(state_.endSerial);
}

std::string SerialProgramSession::startAddressText() const {
    return format("%04X", state_.startAddress);
}

std::string SerialProgramSession::endAddressText() const {
    return format("%04X", state_.endAddress);
}

}  // namespace vexlor
