// A run of the plain operations ends when the socket has no more chips.
#include <gtest/gtest.h>

#include "JobRig.h"
#include "core/production/BatchRun.h"
#include "sim/SimChipHandler.h"

namespace vexlor::test {
namespace {

// The simulated socket, emptied after a number of chips.
class LastChips final : public ChipSocket {
  public:
    LastChips(ChipSocket& socket, int chips) : socket_(socket), left_(chips) {}
    bool awaitChip() override { return left_-- > 0 && socket_.awaitChip(); }

  private:
    ChipSocket& socket_;
    int left_;
};

TEST(BatchRunEnds, AutoAndProgramRunUntilTheSocketIsEmpty) {
    for (const BatchOperation operation : {BatchOperation::Auto, BatchOperation::Program}) {
        JobRig rig;
        rig.selectChip("QR31N4365");
        ASSERT_TRUE(rig.writer.WriteAreaFromFile(
            rig.base.writeBytes("data.prog", Bytes(0x100, 0x3C)), kDataArea));
        sim::SimChipHandler handler{rig.device.chip(), rig.clock};
        LastChips socket(handler, 2);
        ProductionLog log(rig.base / "vexlor-writer.db");
        BatchJob job;
        job.operation = operation;
        BatchRunParts parts{rig.writer, rig.context.chipXml.icInfo(),    socket,           log,
                            rig.op,     [] { return std::string("t"); }, ProductionEntry{}};
        const BatchSummary summary = RunBatch(job, parts);
        EXPECT_EQ(summary.end, BatchEnd::NoMoreChips);
        EXPECT_EQ(summary.counters, (SerialCounters{"2", "0", "2"}));
        EXPECT_EQ(log.entriesSince("")->size(), 2u);
        EXPECT_EQ(rig.device.chip().contents()[0xFF], 0x3C);
    }
}

}  // namespace
}  // namespace vexlor::test
