#include <gtest/gtest.h>

#include "JobRig.h"
#include "core/ops/ChipOperations.h"

namespace vexlor::test {
namespace {

// Read on a writer that holds a job for the chip; the chip's capacity and pair order are set
// per case.
class ReadChipTest : public ::testing::Test {
  protected:
    explicit ReadChipTest(sim::SimConfig config = {}) : rig(std::move(config)) {}

    void SetUp() override {
        rig.selectChip("QRV7049");
        header = JobRig::headerFor("QRV7049");
    }
    JobOutcome read(std::uint32_t capacity, std::int32_t pairOrder, std::uint16_t reservedWords) {
        header[39] = static_cast<std::uint8_t>(reservedWords >> 8);
        header[40] = static_cast<std::uint8_t>(reservedWords & 0xFF);
        rig.putHeaderInWriter(header);
        rig.context.chipXml.icInfo().Read_ROM_Capacity = capacity;
        rig.context.chipXml.icInfo().Data_Read_Length = pairOrder;
        return OnRead(services);
    }

    JobRig rig;
    JobServices services = rig.services();
    Bytes header;
};

TEST_F(ReadChipTest, PairOrderFollowsDataReadLength) {
    rig.device.chip().insert(Bytes{0x12, 0x34, 0x56, 0x78});
    ASSERT_EQ(read(1, 0, 0), JobOutcome::Ok);
    EXPECT_EQ(rig.file("readdata.otp"), (Bytes{0x12, 0x34}));
    ASSERT_EQ(read(1, 1, 0), JobOutcome::Ok);
    EXPECT_EQ(rig.file("readdata.otp"), (Bytes{0x34, 0x12}));
    EXPECT_EQ(rig.op.last().text, "Read OK");
}

TEST_F(ReadChipTest, ReservedWordsComeOffTheCapacity) {
    rig.device.chip().insert(Bytes{1, 2, 3, 4, 5, 6, 7, 8});
    // 0x0084 words of capacity less 0x0082 reserved words: two words, 4 bytes.
    ASSERT_EQ(read(0x0084, 0, 0x0082), JobOutcome::Ok);
    EXPECT_EQ(rig.file("readdata.otp"), (Bytes{1, 2, 3, 4}));
}

TEST_F(ReadChipTest, ReadLengthOutsideTheBufferIsRefusedAndKeepsTheLastRead) {
    const Bytes last{0xAB, 0xCD};
    rig.base.writeBytes("readdata.otp", last);
    const struct {
        std::uint32_t capacity;
        std::uint16_t words;
    } cases[] = {{0x10, 0x11}, {0x10001, 0}, {0x10008, 7}, {0, 1}};
    for (const auto& c : cases) {
        rig.op.shown.clear();
        EXPECT_EQ(read(c.capacity, 0, c.words), JobOutcome::Failed) << c.capacity;
        ASSERT_EQ(rig.op.shown.size(), 1u);
        EXPECT_NE(rig.op.last().text.find("read length"), std::string::npos);
        EXPECT_FALSE(rig.jobStarted());
        EXPECT_EQ(rig.file("readdata.otp"), last);
    }
}

class LargeChipReadTest : public ReadChipTest {
  protected:
    static sim::SimConfig largeChip() {
        sim::SimConfig config;
        config.chipSize = 0x20000;
        return config;
    }
    LargeChipReadTest() : ReadChipTest(largeChip()) {}
};

TEST_F(LargeChipReadTest, WholeBufferIsTheLongestRead) {
    // 0x10008 words less 8 words is exactly the buffer.
    ASSERT_EQ(read(0x10008, 0, 8), JobOutcome::Ok);
    EXPECT_EQ(rig.file("readdata.otp").size(), 0x20000u);
}

TEST_F(ReadChipTest, BlankCheckAsksFirstForErasableChips) {
    rig.putHeaderInWriter(header);
    Bytes local(512, 0);
    local[71] = 33;
    rig.base.writeBytes("buffer_option.prog", local);
    rig.op.answers.push_back(false);
    EXPECT_EQ(OnBlankCheck(services), JobOutcome::Cancelled);
    ASSERT_EQ(rig.op.shown.size(), 1u);
    EXPECT_EQ(rig.op.last().text, " MTP/Flash series IC will clear all data ");
    EXPECT_TRUE(rig.op.last().question);
    EXPECT_EQ(rig.op.last().icon, MessageIcon::Question);
    EXPECT_FALSE(rig.jobStarted());

    rig.op.answers.push_back(true);
    EXPECT_EQ(OnBlankCheck(services), JobOutcome::Ok);
    EXPECT_EQ(rig.op.last().text, "BlankCheck OK");
}

TEST_F(ReadChipTest, BlankCheckWithoutLocalBufferAsksNothing) {
    rig.putHeaderInWriter(header);
    EXPECT_EQ(OnBlankCheck(services), JobOutcome::Ok);
    EXPECT_EQ(rig.op.texts(), std::vector<std::string>{"BlankCheck OK"});
}

}  // namespace
}  // namespace vexlor::test
