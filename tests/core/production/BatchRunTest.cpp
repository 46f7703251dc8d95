// Production runs on the simulated writer: chips come from its socket on the virtual clock.
#include <gtest/gtest.h>

#include "JobRig.h"
#include "core/production/BatchRun.h"
#include "sim/SimChipHandler.h"

namespace vexlor::test {
namespace {

class BatchRunTest : public ::testing::Test {
  protected:
    BatchRunTest() {
        rig.selectChip("QR31N4365");
        rig.writer.WriteAreaFromFile(rig.base.writeBytes("data.prog", Bytes(0x100, 0x5A)),
                                     kDataArea);
        job.operation = BatchOperation::ProgramVerify;
    }
    BatchSummary run(ProductionLog& into, std::optional<std::uint64_t> count = std::nullopt) {
        const auto clock = [this] { return "t" + std::to_string(++now); };
        BatchRunParts parts{rig.writer, rig.context.chipXml.icInfo(), handler, into, rig.op, clock,
                            entry};
        return RunBatch(job, parts, count);
    }
    JobRig rig;
    sim::SimChipHandler handler{rig.device.chip(), rig.clock};
    ProductionLog log{rig.base / "vexlor-writer.db"};
    BatchJob job;
    ProductionEntry entry{"", "simulated", "QR31N4365", "ab", "", false, ""};
    int now = 0;
};

TEST_F(BatchRunTest, ProgramsFreshChipsUpToTheLimitAndLogsEachOne) {
    job.limit = 4;
    rig.device.faults().failChipJob = 3;  // the second chip's Program
    const BatchSummary summary = run(log);
    EXPECT_EQ(summary.end, BatchEnd::Limit);
    EXPECT_EQ(summary.counters, (SerialCounters{"3", "1", "4"}));
    EXPECT_EQ(summary.failed, 1u);
    const auto entries = log.entriesSince("");
    ASSERT_TRUE(entries);
    std::vector<bool> passed;
    for (const auto& e : *entries) {
        passed.push_back(e.passed);
        EXPECT_EQ(e.writer, "simulated");
    }
    EXPECT_EQ(passed, (std::vector{true, false, true, true}));
    EXPECT_EQ(entries->back().time, "t4");
    EXPECT_EQ((*entries)[1].message, "the writer reported FAIL");
    // The last chip is a new one, programmed with the download.
    EXPECT_EQ(rig.device.chip().contents()[0xFF], 0x5A);
    EXPECT_GE(rig.clock.tickMs(), 3u * sim::SimChipHandler::kRefillMs);
    EXPECT_NE(rig.op.log.find("NG  (OK 1  NG 1  Total 2)"), std::string::npos) << rig.op.log;
}

TEST_F(BatchRunTest, StopsAtTheCountAndWhenTheWriterOrTheLogFails) {
    EXPECT_EQ(run(log, 2).end, BatchEnd::CountReached);
    ProductionLog nowhere(rig.base / "missing" / "vexlor-writer.db");
    EXPECT_EQ(run(nowhere).end, BatchEnd::LogFailed);
    ASSERT_FALSE(rig.op.shown.empty());
    EXPECT_NE(rig.op.shown.back().text.find("production log cannot be written"), std::string::npos);
    rig.device.detach();
    const BatchSummary gone = run(log);
    EXPECT_EQ(gone.end, BatchEnd::WriterGone);
    EXPECT_EQ(gone.counters, (SerialCounters{"0", "1", "1"}));
    EXPECT_EQ(log.entriesSince("")->size(), 3u);
}

}  // namespace
}  // namespace vexlor::test
