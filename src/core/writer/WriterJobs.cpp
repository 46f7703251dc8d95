#include <algorithm>

#include "core/writer/Writer.h"

namespace vexlor {

namespace {
constexpr int kSettledRun = 5;  // five repeats: six equal polls
constexpr std::uint8_t kStatusFail = 3;
constexpr int kJobDoneProgress = 50;
}  // namespace

std::uint64_t Writer::JobPollLimit(std::uint32_t timeout) {
    return std::max<std::uint64_t>(1000ull * timeout, 20000);
}

std::uint64_t Writer::JobTimeLimitMs(std::uint32_t timeout) {
    return JobPollLimit(timeout) * kJobPollIntervalMs;
}

void Writer::ReadOptionHeader(std::array<std::uint8_t, kOptionHeaderSize>& buffer) {
    link().showTransferProgress = false;
    ChangeWriterMode(kModeTransfer);
    const std::array<std::uint8_t, 2> open{kOptionArea, kAreaOpenTag};
    SendCommand(cmd::kOpenArea, open.data(), open.size());
    ReceiveData(cmd::kReadArea, buffer.data(), buffer.size());
    const std::array<std::uint8_t, 2> close{kAreaCloseFirst, kAreaCloseSecond};
    SendCommand(cmd::kOpenArea, close.data(), close.size());
    ChangeWriterMode(kModeDone);
}

bool Writer::RunWriterJob(std::uint8_t jobCode, std::uint32_t timeout) {
    host_.buttons.disableOperationButtons();
    SendCommand(cmd::kStartJob, &jobCode, 1);
    BusyWait(300);

    const std::uint64_t limit = JobPollLimit(timeout);
    const std::uint64_t timeLimitMs = JobTimeLimitMs(timeout);
    const std::uint64_t startMs = host_.clock.tickMs();
    std::uint8_t remembered = 0;
    int run = 0;
    int failedReads = 0;
    std::uint64_t polls = 0;
    bool lost = false;
    for (;;) {
        std::uint8_t status = 0;
        if (ReceiveData(cmd::kJobStatus, &status, 1)) {
            failedReads = 0;
        } else if (++failedReads >= kMaxFailedStatusReads) {
            lost = true;
            break;
        }
        ++polls;
        const std::uint8_t s = status & 0x03;
        if (s == remembered && s != 0) {
            ++run;
        } else {
            run = 0;
            remembered = s;
        }
        // Without a time-out value there is nothing to scale the bar by; it keeps its place.
        if (timeout != 0) {
            connection_.progress().setPosition(static_cast<int>(polls / timeout));
        }
        if (run >= kSettledRun || polls >= limit || host_.clock.tickMs() - startMs >= timeLimitMs) {
            break;
        }
        // A pause between polls keeps a waiting program from burning a core.
        BusyWait(kJobPollIntervalMs);
    }
    host_.buttons.enableOperationButtons();

    if (lost || run < kSettledRun) {
        // A writer that does not answer or finish is taken as gone: nothing more is sent to it.
        connection_.CloseLostWriter();
    }
    if (lost) {
        host_.op.message("The writer stopped answering during the job.", "Message",
                         MessageIcon::Stop);
        return false;
    }
    if (run < kSettledRun) {
        host_.op.message("The writer did not finish the job in time.", "Message",
                         MessageIcon::Stop);
        return false;
    }
    if (remembered == kStatusFail) {
        return false;
    }
    connection_.progress().setPosition(kJobDoneProgress);
    return true;
}

bool Writer::ReadJobData(std::uint8_t* buffer, std::uint32_t length) {
    link().showTransferProgress = false;
    return ReceiveData(cmd::kJobData, buffer, length);
}

void Writer::BeginHostSequence() {
    const std::uint8_t code = job::kHostSequence;
    SendCommand(cmd::kStartJob, &code, 1);
    BusyWait(300);
    SetOperationLamp(kLampBusy);
}

bool Writer::DownloadBuffers() {
    constexpr const char* kStage = "Download";
    ProgressSink& progress = connection_.progress();
    progress.beginStage(kStage);
    const auto failed = [&] {
        const std::string text = host_.catalogue.text("LoadingdataFailMsg");
        progress.result(kStage, false, text);
        host_.op.message(format("%s", text.c_str()), "Message", MessageIcon::Stop);
        connection_.paint().pumpPaint();
        return false;
    };
    if (!traits().reportsPieces) {
        progress.setRange(0, 0);
        progress.setRange(0, 100);
    }
    BeginHostSequence();
    ReportStepProgress(30);
    // The test option block is a best effort; the two job buffers decide.
    WriteAreaFromFile(host_.baseDirectory / "test_option.prog", kOptionArea);
    const bool dataOk = WriteAreaFromFile(host_.baseDirectory / "buffer_data.prog", kDataArea);
    ReportStepProgress(60);
    if (!dataOk) {
        SetOperationLamp(kLampIdle);
        return failed();
    }
    if (!WriteAreaFromFile(host_.baseDirectory / "buffer_option.prog", kOptionArea)) {
        SetOperationLamp(kLampIdle);
        BusyWait(1500);
        return failed();
    }
    ChangeWriterMode(kModeDone);
    SetOperationLamp(kLampIdle);
    ReportStepProgress(85);
    BusyWait(1500);
    ReportStepProgress(100);
    progress.result(kStage, true, "Loading Data Ok");
    host_.op.message("Loading Data Ok", "Message", MessageIcon::None);
    connection_.paint().pumpPaint();
    return true;
}

}  // namespace vexlor
