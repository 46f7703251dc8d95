// The program's writer operations against the simulated writer, through the in-process USB
// bus (own path framing) and through the access library.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimRig.h"
#include "core/base/Diagnostics.h"
#include "sim/SimFirmwareImage.h"

namespace vexlor::sim::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using vexlor::test::readBytes;

Bytes pattern(std::size_t size, std::uint8_t seed) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i) {
        b[i] = static_cast<std::uint8_t>(seed + i * 13 + (i >> 8));
    }
    return b;
}

Bytes optionBlock(const std::string& chipName) {
    Bytes b(256, 0);
    std::copy(chipName.begin(), chipName.end(), b.begin());
    b[0x10] = 0x12;  // a download checksum
    b[0x11] = 0x34;
    return b;
}

class SimEndToEnd : public ::testing::TestWithParam<SimRig::Reach> {
  protected:
    SimEndToEnd() : rig(device, GetParam()) {}

    void SetUp() override { ASSERT_TRUE(rig.connect()); }

    void writeJobFiles(std::size_t dataSize) {
        data = pattern(dataSize, 0x21);
        option = optionBlock("QRV7049");
        rig.base.writeBytes("test_option.prog", Bytes(64, 0xA5));
        rig.base.writeBytes("buffer_option.prog", option);
        rig.base.writeBytes("buffer_data.prog", data);
    }

    bool jobOk(std::uint8_t code) { return rig.writer.RunWriterJob(code, 10); }

    SimWriter device;
    SimRig rig;
    Bytes data;
    Bytes option;
};

TEST_P(SimEndToEnd, AttachReadsBaseFirmwareIdentification) {
    EXPECT_EQ(rig.writer.ReadWriterByte(0x39), 0xC8);
    EXPECT_EQ(rig.writer.ReadWriterByte(0xFA8F) & 0xF0, 0x50);
    EXPECT_EQ(rig.writer.ReadWriterByte(0xFA90) * 256 + rig.writer.ReadWriterByte(0xFA91), 0x5B01);
}

TEST_P(SimEndToEnd, VoltageCheckReadingsLieInTheirRanges) {
    auto& w = rig.writer;
    std::array<std::uint8_t, 6> m{};
    w.WriteControlByte(0x30);
    for (std::uint16_t word : {0x8D01, 0x4403, 0x3905, 0x2207}) {
        w.WriteControlWord(word);
    }
    ASSERT_TRUE(w.ReadVoltageBlock(m));
    // DAC steps 0x8D, 0x44, 0x39, 0x22 read 1.47 counts each; outputs grounded.
    EXPECT_EQ(m, (std::array<std::uint8_t, 6>{0x02, 0x01, 0xCF, 0x63, 0x53, 0x31}));
    w.WriteControlWord(0x3901);
    w.WriteControlWord(0x3903);
    w.WriteControlByte(0x0A);
    ASSERT_TRUE(w.ReadVoltageBlock(m));
    EXPECT_EQ(m[0], 0x53);
    EXPECT_EQ(m[1], 0x53);
    w.WriteControlByte(0x05);
    ASSERT_TRUE(w.ReadVoltageBlock(m));
    EXPECT_EQ(m[0], 0x55);
    EXPECT_EQ(m[1], 0x55);
}

TEST_P(SimEndToEnd, DownloadFillsBothAreas) {
    writeJobFiles(0x800);
    ASSERT_TRUE(rig.writer.DownloadBuffers());
    EXPECT_EQ(rig.op.last().text, "Loading Data Ok");
    EXPECT_TRUE(std::equal(option.begin(), option.end(), device.optionArea().begin()));
    EXPECT_EQ(device.downloadedLength(), 0x800u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), device.dataArea().begin()));
    EXPECT_EQ(device.lamp(), 0x90);
    EXPECT_EQ(device.mode(), 0x07);
    EXPECT_FALSE(device.openArea().has_value());
    const auto& t = device.transcript();
    const auto hostSequence = std::find_if(t.begin(), t.end(), [](const TranscriptEntry& e) {
        return e.command == command::kStartJob && e.payload == Bytes{job::kHostSequence};
    });
    EXPECT_NE(hostSequence, t.end());
}

TEST_P(SimEndToEnd, DownloadSequenceAsTheWriterSeesIt) {
    writeJobFiles(0x800);
    device.clearTranscript();
    ASSERT_TRUE(rig.writer.DownloadBuffers());
    // Host sequence, then each file: mode 0x47, open, write, read back, close; then done.
    const std::vector<std::string> expected{
        "out 15 30", "out 17 10",                                                    //
        "out 00 47", "out 14 04 17", "out 12 #64",   "in 13 #64",   "out 14 0C 07",  //
        "out 00 47", "out 14 08 17", "out 12 #2048", "in 13 #2048", "out 14 0C 07",  //
        "out 00 47", "out 14 04 17", "out 12 #256",  "in 13 #256",  "out 14 0C 07",  //
        "out 00 07", "out 17 90"};
    std::vector<std::string> seen;
    for (const auto& e : device.transcript()) {
        std::string line = format("%s %02X", e.in ? "in" : "out", e.command);
        if (e.in || e.length > 2) {
            line += format(" #%zu", e.length);
        } else {
            for (std::uint8_t b : e.payload) {
                line += format(" %02X", b);
            }
        }
        seen.push_back(line);
        EXPECT_TRUE(e.ok) << line;
    }
    EXPECT_EQ(seen, expected);
}

TEST_P(SimEndToEnd, CorruptedReadBackFailsTheDownload) {
    writeJobFiles(0x400);
    device.faults().corruptReadBack = true;
    EXPECT_FALSE(rig.writer.DownloadBuffers());
    EXPECT_EQ(rig.op.last().text, "<LoadingdataFailMsg>");
    EXPECT_EQ(rig.op.last().icon, MessageIcon::Stop);
}

TEST_P(SimEndToEnd, WriterRemovedMidDownloadFails) {
    writeJobFiles(0x800);
    device.faults().removeAfterBytes = 0x500;
    EXPECT_FALSE(rig.writer.DownloadBuffers());
    EXPECT_FALSE(device.attached());
    EXPECT_EQ(rig.op.last().text, "<LoadingdataFailMsg>");
}

TEST_P(SimEndToEnd, ChipJobsActOnTheChip) {
    writeJobFiles(0x200);
    ASSERT_TRUE(rig.writer.DownloadBuffers());
    EXPECT_TRUE(jobOk(job::kBlankCheck));
    EXPECT_FALSE(jobOk(job::kVerify));  // the blank chip differs from the download
    EXPECT_TRUE(jobOk(job::kProgram));
    EXPECT_TRUE(std::equal(data.begin(), data.end(), device.chip().contents().begin()));
    EXPECT_TRUE(jobOk(job::kVerify));
    EXPECT_FALSE(jobOk(job::kBlankCheck));
    EXPECT_FALSE(jobOk(job::kAuto));  // the chip in the socket is not blank any more
    device.chip().insertBlank();
    EXPECT_TRUE(jobOk(job::kAuto));
}

TEST_P(SimEndToEnd, FailStatusAndEndlessJobBothEndAsFail) {
    writeJobFiles(0x100);
    ASSERT_TRUE(rig.writer.DownloadBuffers());
    device.faults().jobFails = true;
    EXPECT_FALSE(jobOk(job::kProgram));
    EXPECT_TRUE(device.chip().isBlank());
    device.faults().jobFails = false;
    device.faults().jobNeverSettles = true;
    EXPECT_FALSE(jobOk(job::kProgram));
    EXPECT_EQ(rig.op.last().text, "The writer did not finish the job in time.");
}

TEST_P(SimEndToEnd, ReadJobReturnsTheChip) {
    const Bytes contents = pattern(0x300, 0x40);
    device.chip().insert(contents);
    const std::uint8_t code = job::kRead;
    ASSERT_TRUE(rig.writer.SendCommand(cmd::kStartJob, &code, 1));
    Bytes buffer(0x300);
    ASSERT_TRUE(rig.writer.ReadJobData(buffer.data(), 0x300));
    EXPECT_EQ(buffer, contents);
}

TEST_P(SimEndToEnd, FamilyFirmwareIsWrittenAndRecorded) {
    writeJobFiles(0x100);
    const auto nce = rig.base.writeBytes("family.nce", makeFirmwareImage(0x1234, 0xABCD));
    ASSERT_TRUE(rig.writer.EnsureFamilyFirmware(nce));
    EXPECT_EQ(device.memory()[0xFA90], 0x12);
    EXPECT_EQ(device.memory()[0xFA91], 0x34);
    EXPECT_EQ(rig.link.writerFirmwareVersion, 0x1234);
    EXPECT_FALSE(rig.link.firmwareWriteFailed);
    const Bytes stored = readBytes(rig.base / "buffer_option.prog");
    EXPECT_EQ(Bytes(stored.begin() + 240, stored.begin() + 244), (Bytes{0x20, 0x23, 0xAB, 0xCD}));
}

TEST_P(SimEndToEnd, HardwareIdentificationOnlyThroughTheLibrary) {
    std::array<std::uint8_t, 8> id{};
    rig.writer.ReceiveData(command::kHardwareId, id.data(), 8);
    const bool identified = id[0] == 'K' && id[1] == 'L' && id[2] == 'W';
    EXPECT_EQ(identified, GetParam() == SimRig::Reach::AccessLibrary);
}

INSTANTIATE_TEST_SUITE_P(Reaches, SimEndToEnd,
                         ::testing::Values(SimRig::Reach::Usb, SimRig::Reach::AccessLibrary),
                         [](const auto& reach) {
                             return reach.param == SimRig::Reach::Usb ? std::string("OwnPath")
                                                                      : std::string("Library");
                         });

}  // namespace
}  // namespace vexlor::sim::test
