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

// Data_Read_Length 1 swaps each pair; reserved words come off the capacity.
TEST_F(ReadChipTest, PairOrderAndLengthFollowTheChipRecordAndHeader) {
    rig.device.chip().insert(Bytes{1, 2, 3, 4, 5, 6, 7, 8});
    const struct {
        std::uint32_t capacity;
        std::int32_t pairOrder;
        std::uint16_t reservedWords;
        Bytes read;
    } cases[] = {{1, 0, 0, {1, 2}}, {1, 1, 0, {2, 1}}, {0x0084, 0, 0x0082, {1, 2, 3, 4}}};
    for (const auto& c : cases) {
        ASSERT_EQ(read(c.capacity, c.pairOrder, c.reservedWords), JobOutcome::Ok) << c.capacity;
        EXPECT_EQ(rig.file("readdata.otp"), c.read) << c.capacity << " " << c.pairOrder;
        EXPECT_EQ(rig.op.last().text, "Read OK");
    }
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

TEST_F(ReadChipTest, AReadThatCannotBeStoredSaysWhere) {
    rig.device.chip().insert(Bytes{1, 2});
    std::filesystem::create_directories(rig.base / "readdata.otp");
    EXPECT_EQ(read(1, 0, 0), JobOutcome::Failed);
    EXPECT_EQ(rig.op.last().text, (rig.base / "readdata.otp").string() + " open file error\n");
    EXPECT_EQ(rig.op.statuses.back(), "Read FAIL");
    // The hex view is cleared and shows no half-stored read.
    ASSERT_FALSE(rig.view.shownFiles.empty());
    EXPECT_EQ(rig.view.shownFiles.back(), std::filesystem::path());
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

TEST_F(ReadChipTest, BlankCheckAsksFirstForErasableChipsOnly) {
    rig.putHeaderInWriter(header);
    EXPECT_EQ(OnBlankCheck(services), JobOutcome::Ok);
    EXPECT_EQ(rig.op.texts(), std::vector<std::string>{"BlankCheck OK"});
    Bytes local(512, 0);
    local[71] = 33;
    rig.base.writeBytes("buffer_option.prog", local);
    rig.device.clearTranscript();
    rig.op.shown.clear();
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

}  // namespace
}  // namespace vexlor::test
