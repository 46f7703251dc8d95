#include <gtest/gtest.h>

#include "SimRig.h"
#include "core/writer/FirmwareImageCheck.h"

namespace vexlor::test {
namespace {

using sim::test::SimRig;
using Reach = SimRig::Reach;
using Words = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kImageSize = 0x10800;

// A firmware image whose identification words are version and family, high byte first.
Bytes Image(std::uint16_t version, std::uint16_t family) {
    Bytes image(kImageSize);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i % 251);
    }
    image[0xFA8F] = 0x5A;  // writer model code
    image[0xFA90] = static_cast<std::uint8_t>(version >> 8);
    image[0xFA91] = static_cast<std::uint8_t>(version & 0xFF);
    image[0xFA94] = static_cast<std::uint8_t>(family >> 8);
    image[0xFA95] = static_cast<std::uint8_t>(family & 0xFF);
    return image;
}

class WriterImageTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(rig.connect()); }
    std::filesystem::path writeImage(std::uint16_t version = 0x0102,
                                     std::uint16_t family = 0x5A31) {
        return rig.base.writeBytes("fw.nce", Image(version, family));
    }
    Bytes memoryImage() const {
        return {device.memory().begin(), device.memory().begin() + kImageSize};
    }
    // Corrupts the read-back of the which-th area written (from 1).
    void corruptAreaReadBack(int which) {
        device.setCommandObserver([this, which, opened = 0](const sim::TranscriptEntry& e) mutable {
            if (e.command == cmd::kOpenArea && e.payload.size() == 2 &&
                e.payload[1] == kAreaOpenTag) {
                device.faults().corruptReadBack = ++opened == which;
            }
        });
    }

    sim::SimWriter device;
    SimRig rig{device};
};

TEST_F(WriterImageTest, FirmwareImageOwnPathWritesAndVerifies) {
    EXPECT_TRUE(rig.writer.WriteFirmwareImage(writeImage(), true));
    EXPECT_EQ(memoryImage(), Image(0x0102, 0x5A31));
    EXPECT_EQ(rig.exchanges(), (Words{"15>32", "00>00", "0F>00 00", "10>#67584", "0F>00 00",
                                      "11<67584", "00>07", "17>90"}));
    EXPECT_EQ(rig.clock.waits(), (std::vector<std::uint32_t>{300, 1000}));
    EXPECT_FALSE(rig.link.firmwareWriteFailed);
    EXPECT_FALSE(rig.link.busy);
    EXPECT_FALSE(rig.link.showTransferProgress);
}

TEST_F(WriterImageTest, FirmwareImageWithUnknownVersionSendsNoAddressAndNoPrepare) {
    rig.link.knownWriterVersion = false;
    rig.writer.WriteFirmwareImage(writeImage(), false);
    // Without an address the read goes on where the write ended, past the writer's memory.
    EXPECT_EQ(rig.exchanges(), (Words{"00>00", "10>#67584", "11<67584!", "00>07", "17>90"}));
}

TEST_F(WriterImageTest, FirmwareReadBackDifferenceFails) {
    device.faults().corruptReadBack = true;
    EXPECT_FALSE(rig.writer.WriteFirmwareImage(writeImage(), true));
    EXPECT_TRUE(rig.link.firmwareWriteFailed);
    const Words words = rig.exchanges();
    EXPECT_EQ(Words(words.end() - 2, words.end()), (Words{"00>07", "17>90"}));
    EXPECT_EQ(rig.clock.waits(), std::vector<std::uint32_t>{300}) << "no settling after FAIL";
}

TEST_F(WriterImageTest, MissingOrShortImageFailsWithoutSendingAnything) {
    EXPECT_FALSE(rig.writer.WriteFirmwareImage(rig.base / "absent.nce", true));
    Bytes shortImage = Image(1, 2);
    shortImage.pop_back();
    EXPECT_FALSE(rig.writer.WriteFirmwareImage(rig.base.writeBytes("short.nce", shortImage), true));
    EXPECT_TRUE(rig.exchanges().empty());
    EXPECT_FALSE(rig.link.firmwareWriteFailed) << "the writer's firmware was not touched";
}

TEST_F(WriterImageTest, AreaFilesUpToTheBufferAreWrittenLongerOnesRefused) {
    for (std::size_t size : {std::size_t{0}, std::size_t{700}, std::size_t{0x20000}}) {
        SCOPED_TRACE(size);
        Bytes bytes(size);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
        }
        EXPECT_TRUE(rig.writer.WriteAreaFromFile(rig.base.writeBytes("area.bin", bytes), 8));
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), device.dataArea().begin()));
        const std::string length = std::to_string(size);
        const std::string out = size == 0 ? "12>" : "12>#" + length;
        EXPECT_EQ(rig.exchanges(), (Words{"00>47", "14>08 17", out, "13<" + length, "14>0C 07"}));
    }
    EXPECT_TRUE(rig.op.shown.empty());
    const auto tooLong = rig.base.writeBytes("long.bin", Bytes(0x20001));
    EXPECT_FALSE(rig.writer.WriteAreaFromFile(tooLong, 8));
    EXPECT_EQ(rig.exchanges(), Words{"00>47"});
    EXPECT_EQ(rig.op.texts(), Words{"File Too Large ! (" + tooLong.string() + ")"});
}

TEST_F(WriterImageTest, AreaFileMissingOrReadBackDifferentFails) {
    const auto path = rig.base / "absent.prog";
    EXPECT_FALSE(rig.writer.WriteAreaFromFile(path, 4));
    EXPECT_EQ(rig.op.texts(), Words{"Open Fail ! (" + path.string() + ")"});
    EXPECT_EQ(rig.op.last().icon, MessageIcon::None);
    device.faults().corruptReadBack = true;
    EXPECT_FALSE(rig.writer.WriteAreaFromFile(rig.base.write("o.prog", "option"), 4));
    EXPECT_EQ(rig.exchanges().back(), "14>0C 07") << "the area is closed all the same";
}

class DownloadTest : public WriterImageTest {
  protected:
    void SetUp() override {
        WriterImageTest::SetUp();
        rig.base.write("test_option.prog", "TEST");
        rig.base.write("buffer_data.prog", "DATA-DATA");
        rig.base.write("buffer_option.prog", "OPTION");
    }
    std::string area(std::span<const std::uint8_t> bytes, std::size_t length) {
        return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    }
};

TEST_F(DownloadTest, AllThreeFilesInOrderThenLoadingDataOk) {
    EXPECT_TRUE(rig.writer.DownloadBuffers());
    EXPECT_EQ(rig.exchanges(),
              (Words{"15>30", "17>10", "00>47", "14>04 17", "12>54 45 53 54", "13<4", "14>0C 07",
                     "00>47", "14>08 17", "12>#9", "13<9", "14>0C 07", "00>47", "14>04 17",
                     "12>4F 50 54 49 4F 4E", "13<6", "14>0C 07", "00>07", "17>90"}));
    EXPECT_EQ(area(device.dataArea(), 9), "DATA-DATA");
    EXPECT_EQ(area(device.optionArea(), 6), "OPTION");
    EXPECT_EQ(rig.clock.waits(), (std::vector<std::uint32_t>{300, 1500}));
    EXPECT_EQ(rig.op.texts(), Words{"Loading Data Ok"});
    EXPECT_EQ(rig.op.last().caption, "Message");
    EXPECT_EQ(rig.op.last().icon, MessageIcon::None);
}

TEST_F(DownloadTest, MissingTestOptionDoesNotSpoilTheDownload) {
    std::filesystem::remove(rig.base / "test_option.prog");
    EXPECT_TRUE(rig.writer.DownloadBuffers());
    EXPECT_EQ(rig.op.texts(),
              (Words{"Open Fail ! (" + (rig.base / "test_option.prog").string() + ")",
                     "Loading Data Ok"}));
}

// A data-area difference fails before buffer_option.prog is sent and before the settling wait.
TEST_F(DownloadTest, ReadBackCorruptionFailsTheDownload) {
    const struct {
        int area;  // in the order written
        const char* optionArea;
        std::vector<std::uint32_t> waits;
    } cases[] = {{2, "TEST", {300}}, {3, "OPTI", {300, 1500}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        rig.op.shown.clear();
        rig.clock.clearWaits();
        corruptAreaReadBack(c.area);
        EXPECT_FALSE(rig.writer.DownloadBuffers());
        EXPECT_EQ(rig.op.texts(), Words{"<LoadingdataFailMsg>"});
        EXPECT_EQ(rig.op.last().icon, MessageIcon::Stop);
        EXPECT_EQ(rig.exchanges().back(), "17>90");
        EXPECT_EQ(area(device.optionArea(), 4), c.optionArea);
        EXPECT_EQ(rig.clock.waits(), c.waits);
    }
}

TEST(LibraryTransferTest, ImageAndDownloadReportTheirOwnProgressSteps) {
    sim::SimWriter device;
    SimRig rig(device, Reach::AccessLibrary);
    ASSERT_TRUE(rig.connect());
    EXPECT_TRUE(rig.writer.WriteFirmwareImage(rig.base.writeBytes("fw.nce", Image(1, 2)), true));
    EXPECT_EQ(rig.exchanges()[2], "0F>00 00 00 00");
    EXPECT_EQ(rig.progress.events,
              (std::vector<std::string>{"R0-0", "R0-100", "P15", "P30", "P60", "P100"}));
    rig.progress.events.clear();
    for (const char* name : {"test_option.prog", "buffer_data.prog", "buffer_option.prog"}) {
        rig.base.write(name, name);
    }
    EXPECT_TRUE(rig.writer.DownloadBuffers());
    EXPECT_EQ(rig.progress.events,
              (std::vector<std::string>{"R0-0", "R0-100", "P30", "P60", "P85", "P100"}));
}

class FamilyFirmwareTest : public WriterImageTest {
  protected:
    Bytes stamp() const {
        const Bytes option = readBytes(rig.base / "buffer_option.prog");
        return {option.begin() + 239, option.begin() + 245};
    }
};

TEST_F(FamilyFirmwareTest, NewVersionStampsTheOptionFileAndWritesTheImage) {
    rig.base.writeBytes("buffer_option.prog", Bytes(300, 0xEE));
    rig.link.writerFirmwareVersion = 0x0101;
    rig.link.familyFirmwareLoaded = true;
    EXPECT_TRUE(rig.writer.EnsureFamilyFirmware(writeImage(0x0102, 0x5A31)));
    EXPECT_EQ(stamp(), (Bytes{0xEE, 0x20, 0x23, 0x5A, 0x31, 0xEE}));
    EXPECT_EQ(readBytes(rig.base / "buffer_option.prog").size(), 300u);
    EXPECT_EQ(rig.link.familyWord, 0x5A31);
    EXPECT_EQ(rig.link.writerFirmwareVersion, 0x0102);
    EXPECT_TRUE(rig.link.familyFirmwareLoaded);
    EXPECT_EQ(memoryImage(), Image(0x0102, 0x5A31));
    EXPECT_EQ(rig.clock.waits(), (std::vector<std::uint32_t>{300, 1000, 3000}));
}

// The same version is written again unless it was loaded since the attach; then only the
// option file's stamp changes.
TEST_F(FamilyFirmwareTest, SameVersionIsWrittenOnlyIfNotLoadedSinceAttach) {
    for (bool loaded : {false, true}) {
        SCOPED_TRACE(loaded);
        rig.base.writeBytes("buffer_option.prog", Bytes(256, 0));
        rig.link.writerFirmwareVersion = 0x0102;
        rig.link.familyFirmwareLoaded = loaded;
        EXPECT_TRUE(rig.writer.EnsureFamilyFirmware(writeImage(0x0102, 0x6B42)));
        EXPECT_EQ(rig.exchanges().empty(), loaded);
        EXPECT_TRUE(rig.link.familyFirmwareLoaded);
        EXPECT_EQ(stamp(), (Bytes{0x00, 0x20, 0x23, 0x6B, 0x42, 0x00}));
    }
}

TEST_F(FamilyFirmwareTest, FailedImageWriteIsAFailureAndNotTakenAsLoaded) {
    rig.base.writeBytes("buffer_option.prog", Bytes(256, 0));
    device.faults().corruptReadBack = true;
    EXPECT_FALSE(rig.writer.EnsureFamilyFirmware(writeImage(0x0102, 0x5A31)));
    EXPECT_FALSE(rig.link.familyFirmwareLoaded);
    EXPECT_EQ(rig.link.writerFirmwareVersion, 0);
}

TEST_F(FamilyFirmwareTest, MissingFilesGiveTheirMessages) {
    EXPECT_FALSE(rig.writer.EnsureFamilyFirmware(rig.base / "absent.nce"));
    EXPECT_FALSE(rig.writer.EnsureFamilyFirmware(writeImage()));
    EXPECT_EQ(rig.op.texts(), (Words{"Can't Find NceFile\n" + (rig.base / "absent.nce").string(),
                                     "buffer_option.prog open file error\n"}));
    EXPECT_TRUE(rig.exchanges().empty());
}

TEST_F(FamilyFirmwareTest, AFileThatIsNoFirmwareImageIsNotSent) {
    rig.base.writeBytes("buffer_option.prog", Bytes(256, 0));
    auto noModel = Image(0x0102, 0x5A31);
    noModel[0xFA8F] = 0x50;
    auto longer = Image(0x0102, 0x5A31);
    longer.push_back(0);
    auto klw21 = Image(0x5B01, 0x5A31);  // 0x5B at 0xFA90 alone names the other model
    klw21[0xFA8F] = 0;
    const struct {
        const char* name;
        Bytes image;
        bool accepted;
    } cases[] = {{"no model code", noModel, false},
                 {"one byte too long", longer, false},
                 {"model KLW21", klw21, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(FirmwareImageProblem(c.image).empty(), c.accepted) << c.name;
    }
    rig.op.shown.clear();
    EXPECT_FALSE(rig.writer.EnsureFamilyFirmware(rig.base.writeBytes("random.nce", noModel)));
    EXPECT_NE(rig.op.texts().at(0).find("is not a writer firmware image"), std::string::npos);
    EXPECT_TRUE(rig.exchanges().empty());
}

}  // namespace
}  // namespace vexlor::test
