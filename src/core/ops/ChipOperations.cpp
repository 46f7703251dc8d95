#include "core/ops/ChipOperations.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <vector>

#include "core/base/Diagnostics.h"
#include "core/ops/OperationChecks.h"

namespace vexlor {

namespace {

constexpr const char* kCaption = "Message";
constexpr int kProgressEnd = 50;

struct OperationTraits {
    std::uint8_t jobCode;
    std::int32_t ICInfo::*timeout;
    // The result box says "<name> OK" or "<name> FAIL".
    const char* name;
};

OperationTraits traitsOf(ChipOperation operation) {
    switch (operation) {
        case ChipOperation::Auto:
            return {job::kAuto, &ICInfo::Auto_Timeout, "Auto"};
        case ChipOperation::BlankCheck:
            return {job::kBlankCheck, &ICInfo::Blankcheck_Timeout, "BlankCheck"};
        case ChipOperation::Program:
            return {job::kProgram, &ICInfo::Program_Timeout, "Program"};
        case ChipOperation::Verify:
            break;
    }
    return {job::kVerify, &ICInfo::Verify_Timeout, "Verify"};
}

// The result goes into the status line as well as the box, so it is still there afterwards.
void reportResult(JobServices& s, const char* name, bool ok) {
    const std::string text = std::string(name) + (ok ? " OK" : " FAIL");
    s.writer.connection().progress().result(name, ok, text);
    s.op.showStatus(text);
    s.op.message(text, kCaption, MessageIcon::None);
}

// The operation's own check after the common ones; false stops it.
JobOutcome ownPrecondition(JobServices& s, ChipOperation operation) {
    if (operation == ChipOperation::Auto && ProductionLimitReached(s.context.link.optionHeader)) {
        s.op.message("Production Limit Complete", kCaption, MessageIcon::Exclamation);
        return JobOutcome::Refused;
    }
    if (operation == ChipOperation::BlankCheck &&
        BufferNamesErasableChip(s.context.shell.baseDirectory / "buffer_option.prog") &&
        !s.op.ask(" MTP/Flash series IC will clear all data ", kCaption, MessageIcon::Question)) {
        return JobOutcome::Cancelled;
    }
    return JobOutcome::Ok;
}

// Progress bar, transfer progress, busy cursor and "<name> ..." in the status line while a
// job runs; undone when it ends.
class BusyJob {
  public:
    BusyJob(JobServices& s, const char* name) : s_(s) {
        ProgressSink& progress = s_.writer.connection().progress();
        progress.beginStage(name);
        progress.setRange(0, kProgressEnd);
        progress.setPosition(1);
        s_.context.link.showTransferProgress = false;
        s_.op.beginBusy(kOperationCursor);
        s_.op.showStatus(std::string(name) + " ...");
    }
    ~BusyJob() {
        s_.op.endBusy();
        s_.writer.connection().progress().setPosition(0);
        s_.view.refreshPanel();
    }
    BusyJob(const BusyJob&) = delete;
    BusyJob& operator=(const BusyJob&) = delete;

  private:
    JobServices& s_;
};

// Bytes to read. The capacity counts words, like every capacity of the chip data (it is the
// normal plus the information area); taken as bytes it read half of every chip.
std::int64_t readLength(const ICInfo& ic, const OptionHeader& header) {
    const std::int64_t reservedWords = header[kReservedWordsHigh] * 256 + header[kReservedWordsLow];
    return 2 * static_cast<std::int64_t>(ic.Read_ROM_Capacity) - 2 * reservedWords;
}

bool writeReadData(const std::filesystem::path& path, const std::vector<std::uint8_t>& buffer,
                   std::uint32_t length, bool swapPairs) {
    std::vector<char> out;
    out.reserve(length + 1);
    for (std::uint32_t i = 0; i < length; i += 2) {
        const auto first = static_cast<char>(buffer[i]);
        const auto second = static_cast<char>(buffer[i + 1]);
        out.push_back(swapPairs ? second : first);
        out.push_back(swapPairs ? first : second);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace

JobOutcome RunChipOperation(JobServices& s, ChipOperation operation) {
    const OperationTraits traits = traitsOf(operation);
    OptionHeader& header = s.context.link.optionHeader;
    s.writer.ReadOptionHeader(header);
    if (!CheckWriterJob(header, s.context.shell.job.chipNameText, HeaderChecks::Download, s.op)) {
        return JobOutcome::Refused;
    }
    if (JobOutcome own = ownPrecondition(s, operation); own != JobOutcome::Ok) {
        return own;
    }
    BusyJob busy(s, traits.name);
    const std::int32_t timeout = s.context.chipXml.icInfo().*traits.timeout;
    const bool ok =
        s.writer.RunWriterJob(traits.jobCode, static_cast<std::uint32_t>(std::max(timeout, 0)));
    reportResult(s, traits.name, ok);
    return ok ? JobOutcome::Ok : JobOutcome::Failed;
}

JobOutcome OnAuto(JobServices& s) {
    return RunChipOperation(s, ChipOperation::Auto);
}

JobOutcome OnBlankCheck(JobServices& s) {
    return RunChipOperation(s, ChipOperation::BlankCheck);
}

JobOutcome OnProgram(JobServices& s) {
    return RunChipOperation(s, ChipOperation::Program);
}

JobOutcome OnVerify(JobServices& s) {
    return RunChipOperation(s, ChipOperation::Verify);
}

JobOutcome OnRead(JobServices& s) {
    s.writer.ReadOptionHeader(s.context.link.optionHeader);
    if (!CheckWriterJob(s.context.link.optionHeader, s.context.shell.job.chipNameText,
                        HeaderChecks::ChipNameOnly, s.op)) {
        return JobOutcome::Refused;
    }
    s.writer.BusyWait(100);
    BusyJob busy(s, "Read");
    if (!ReadChipContents(s)) {
        s.writer.connection().progress().result("Read", false, "Read FAIL");
        s.op.showStatus("Read FAIL");
        return JobOutcome::Failed;
    }
    reportResult(s, "Read", true);
    return JobOutcome::Ok;
}

bool ReadChipContents(JobServices& s) {
    const std::filesystem::path path = s.context.shell.baseDirectory / kReadDataFile;
    const ICInfo& ic = s.context.chipXml.icInfo();
    OptionHeader header{};
    s.writer.ReadOptionHeader(header);
    // Checked before the file is touched, so a refused read leaves the last one in place.
    const std::int64_t length = readLength(ic, header);
    if (length < 0 || length > kReadBufferSize) {
        s.op.message(format("Can't read the chip: the read length %lld is outside 0..0x20000 "
                            "(capacity 0x%X, %u reserved words)",
                            static_cast<long long>(length), ic.Read_ROM_Capacity,
                            header[kReservedWordsHigh] * 256u + header[kReservedWordsLow]),
                     kCaption, MessageIcon::Stop);
        return false;
    }
    s.buttons.disableOperationButtons();
    const std::uint8_t code = job::kRead;
    s.writer.SendCommand(cmd::kStartJob, &code, 1);
    s.writer.BusyWait(300);
    // One byte of room past the buffer: an odd length still writes whole pairs.
    std::vector<std::uint8_t> buffer(kReadBufferSize + 1, 0);
    const auto count = static_cast<std::uint32_t>(length);
    const bool received = s.writer.ReadJobData(buffer.data(), count);
    const bool written = received && writeReadData(path, buffer, count, ic.Data_Read_Length != 0);
    s.view.showFileInHexView({});
    if (written) {
        s.view.showFileInHexView(path);
    }
    s.buttons.enableOperationButtons();
    if (!received) {
        s.op.message("Read FAIL", kCaption, MessageIcon::Stop);
    } else if (!written) {
        s.op.message(format("%s open file error\n", path.string().c_str()), kCaption,
                     MessageIcon::Stop);
    }
    return written;
}

}  // namespace vexlor
