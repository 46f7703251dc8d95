#include "WriterFixture.h"
#include "core/writer/FirmwareImageCheck.h"

namespace vexlor::test {
namespace {

constexpr std::size_t kImageSize = 0x10800;

// A firmware image whose identification words are version and family, high byte first.
std::vector<std::uint8_t> Image(std::uint16_t version, std::uint16_t family) {
    std::vector<std::uint8_t> image(kImageSize);
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

class WriterImageTest : public WriterFixture {
  protected:
    std::filesystem::path writeImage(std::uint16_t version = 0x0102,
                                     std::uint16_t family = 0x5A31) {
        return scratch.writeBytes("fw.nce", Image(version, family));
    }
    std::vector<std::uint8_t> memoryImage() const {
        return {device.memory.begin(), device.memory.begin() + kImageSize};
    }
};

TEST_F(WriterImageTest, FirmwareImageOwnPathWritesAndVerifies) {
    connect(Path::Own);
    const auto path = writeImage();
    EXPECT_TRUE(writer.WriteFirmwareImage(path, true));
    EXPECT_EQ(memoryImage(), Image(0x0102, 0x5A31));
    EXPECT_EQ(device.transcript, (std::vector<SeenCommand>{
                                     Out(0x15, {0x32}), Out(0x00, {0x00}), Out(0x0F, {0, 0}),
                                     Out(0x10, Image(0x0102, 0x5A31)), Out(0x0F, {0, 0}),
                                     In(0x11, kImageSize), Out(0x00, {0x07}), Out(0x17, {0x90})}));
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{300, 1000}));
    EXPECT_FALSE(link.firmwareWriteFailed);
    EXPECT_FALSE(link.busy);
    EXPECT_FALSE(link.showTransferProgress);
}

TEST_F(WriterImageTest, FirmwareImageWithUnknownVersionSendsNoAddressAndNoPrepare) {
    connect(Path::Own);
    link.knownWriterVersion = false;
    EXPECT_TRUE(writer.WriteFirmwareImage(writeImage(), false));
    EXPECT_EQ(commandsSeen(), (std::vector<std::uint8_t>{0x00, 0x10, 0x11, 0x00, 0x17}));
}

TEST_F(WriterImageTest, FirmwareImageThroughTheLibraryReportsItsOwnProgress) {
    connect(Path::Library);
    EXPECT_TRUE(writer.WriteFirmwareImage(writeImage(), true));
    EXPECT_EQ(device.transcript[2], Out(0x0F, {0, 0, 0, 0}));
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"R0-0", "R0-100", "P15", "P30", "P60", "P100"}));
}

TEST_F(WriterImageTest, FirmwareReadBackDifferenceFails) {
    connect(Path::Own);
    device.corruptMemoryReadBack = true;
    EXPECT_FALSE(writer.WriteFirmwareImage(writeImage(), true));
    EXPECT_TRUE(link.firmwareWriteFailed);
    const auto codes = commandsSeen();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(device.transcript[codes.size() - 2], Out(0x00, {0x07}));
    EXPECT_EQ(device.transcript.back(), Out(0x17, {0x90}));
    EXPECT_EQ(clock.waits(), std::vector<std::uint32_t>{300}) << "no settling wait after a FAIL";
}

TEST_F(WriterImageTest, MissingOrShortImageFailsWithoutSendingAnything) {
    connect(Path::Own);
    EXPECT_FALSE(writer.WriteFirmwareImage(scratch / "absent.nce", true));
    auto shortImage = Image(1, 2);
    shortImage.pop_back();
    EXPECT_FALSE(writer.WriteFirmwareImage(scratch.writeBytes("short.nce", shortImage), true));
    EXPECT_TRUE(device.transcript.empty());
    EXPECT_FALSE(link.firmwareWriteFailed) << "the writer's firmware was not touched";
}

struct AreaCase {
    const char* name;
    std::size_t size;
    bool accepted;
};

class AreaSizeTest : public WriterFixture, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(AreaSizeTest, FilesUpToTheBufferAreWrittenLongerOnesRefused) {
    connect(Path::Own);
    std::vector<std::uint8_t> bytes(GetParam().size);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
    }
    const auto path = scratch.writeBytes("area.bin", bytes);
    EXPECT_EQ(writer.WriteAreaFromFile(path, 8), GetParam().accepted);
    if (GetParam().accepted) {
        EXPECT_EQ(device.areas[8], bytes);
        EXPECT_EQ(device.transcript, (std::vector<SeenCommand>{
                                         Out(0x00, {0x47}), Out(0x14, {8, 0x17}), Out(0x12, bytes),
                                         In(0x13, static_cast<std::uint32_t>(bytes.size())),
                                         Out(0x14, {0x0C, 0x07})}));
        EXPECT_TRUE(op.shown.empty());
    } else {
        EXPECT_EQ(commandsSeen(), std::vector<std::uint8_t>{0x00});
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_EQ(op.last().text, "File Too Large ! (" + path.string() + ")");
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, AreaSizeTest,
                         ::testing::Values(AreaCase{"Empty", 0, true}, AreaCase{"Small", 700, true},
                                           AreaCase{"Full", 0x20000, true},
                                           AreaCase{"OneTooMany", 0x20001, false}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(WriterImageTest, AreaWithMissingFileShowsOpenFail) {
    connect(Path::Own);
    const auto path = scratch / "absent.prog";
    EXPECT_FALSE(writer.WriteAreaFromFile(path, 4));
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "Open Fail ! (" + path.string() + ")");
    EXPECT_EQ(op.last().icon, MessageIcon::None);
}

TEST_F(WriterImageTest, AreaReadBackDifferenceFailsButClosesTheArea) {
    connect(Path::Own);
    device.corruptAreaReadBack[4] = true;
    EXPECT_FALSE(writer.WriteAreaFromFile(scratch.write("o.prog", "option"), 4));
    EXPECT_EQ(device.transcript.back(), Out(0x14, {0x0C, 0x07}));
}

class DownloadTest : public WriterFixture {
  protected:
    void writeBuffers() {
        scratch.write("test_option.prog", "TEST");
        scratch.write("buffer_data.prog", "DATA-DATA");
        scratch.write("buffer_option.prog", "OPTION");
    }
    static std::vector<std::uint8_t> Bytes(const std::string& text) {
        return {text.begin(), text.end()};
    }
};

TEST_F(DownloadTest, AllThreeFilesInOrderThenLoadingDataOk) {
    connect(Path::Own);
    writeBuffers();
    EXPECT_TRUE(writer.DownloadBuffers());
    const std::vector<SeenCommand> expected{Out(0x15, {0x30}),
                                            Out(0x17, {0x10}),
                                            Out(0x00, {0x47}),
                                            Out(0x14, {4, 0x17}),
                                            Out(0x12, Bytes("TEST")),
                                            In(0x13, 4),
                                            Out(0x14, {0x0C, 0x07}),
                                            Out(0x00, {0x47}),
                                            Out(0x14, {8, 0x17}),
                                            Out(0x12, Bytes("DATA-DATA")),
                                            In(0x13, 9),
                                            Out(0x14, {0x0C, 0x07}),
                                            Out(0x00, {0x47}),
                                            Out(0x14, {4, 0x17}),
                                            Out(0x12, Bytes("OPTION")),
                                            In(0x13, 6),
                                            Out(0x14, {0x0C, 0x07}),
                                            Out(0x00, {0x07}),
                                            Out(0x17, {0x90})};
    EXPECT_EQ(device.transcript, expected);
    EXPECT_EQ(device.areas[8], Bytes("DATA-DATA"));
    EXPECT_EQ(device.areas[4], Bytes("OPTION"));
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{300, 1500}));
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "Loading Data Ok");
    EXPECT_EQ(op.last().caption, "Message");
    EXPECT_EQ(op.last().icon, MessageIcon::None);
}

TEST_F(DownloadTest, MissingTestOptionDoesNotSpoilTheDownload) {
    connect(Path::Own);
    writeBuffers();
    std::filesystem::remove(scratch / "test_option.prog");
    EXPECT_TRUE(writer.DownloadBuffers());
    EXPECT_EQ(op.texts(), (std::vector<std::string>{
                              "Open Fail ! (" + (scratch / "test_option.prog").string() + ")",
                              "Loading Data Ok"}));
}

TEST_F(DownloadTest, DataReadBackCorruptionFailsBeforeTheOptionFile) {
    connect(Path::Own);
    writeBuffers();
    device.corruptAreaReadBack[8] = true;
    EXPECT_FALSE(writer.DownloadBuffers());
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "<LoadingdataFailMsg>");
    EXPECT_EQ(op.last().caption, "Message");
    EXPECT_EQ(op.last().icon, MessageIcon::Stop);
    EXPECT_EQ(device.transcript.back(), Out(0x17, {0x90}));
    EXPECT_EQ(device.areas[4], Bytes("TEST")) << "buffer_option.prog was never sent";
    EXPECT_EQ(clock.waits(), std::vector<std::uint32_t>{300});
}

TEST_F(DownloadTest, OptionReadBackCorruptionFailsAfterWaiting) {
    connect(Path::Own);
    writeBuffers();
    device.corruptAreaReadBack[4] = true;  // test_option fails too, which does not count
    EXPECT_FALSE(writer.DownloadBuffers());
    EXPECT_EQ(op.texts(), std::vector<std::string>{"<LoadingdataFailMsg>"});
    EXPECT_EQ(device.transcript.back(), Out(0x17, {0x90}));
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{300, 1500}));
}

TEST_F(DownloadTest, ThroughTheLibraryReportsItsProgressSteps) {
    connect(Path::Library);
    writeBuffers();
    EXPECT_TRUE(writer.DownloadBuffers());
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"R0-0", "R0-100", "P30", "P60", "P85", "P100"}));
}

class FamilyFirmwareTest : public WriterImageTest {
  protected:
    std::vector<std::uint8_t> optionBytes() const {
        return readBytes(scratch / "buffer_option.prog");
    }
};

TEST_F(FamilyFirmwareTest, NewVersionStampsTheOptionFileAndWritesTheImage) {
    connect(Path::Own);
    scratch.writeBytes("buffer_option.prog", std::vector<std::uint8_t>(300, 0xEE));
    link.writerFirmwareVersion = 0x0101;
    link.familyFirmwareLoaded = true;
    EXPECT_TRUE(writer.EnsureFamilyFirmware(writeImage(0x0102, 0x5A31)));
    const auto option = optionBytes();
    ASSERT_EQ(option.size(), 300u);
    EXPECT_EQ(std::vector<std::uint8_t>(option.begin() + 239, option.begin() + 245),
              (std::vector<std::uint8_t>{0xEE, 0x20, 0x23, 0x5A, 0x31, 0xEE}));
    EXPECT_EQ(link.familyWord, 0x5A31);
    EXPECT_EQ(link.writerFirmwareVersion, 0x0102);
    EXPECT_TRUE(link.familyFirmwareLoaded);
    EXPECT_EQ(memoryImage(), Image(0x0102, 0x5A31));
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{300, 1000, 3000}));
}

TEST_F(FamilyFirmwareTest, NotLoadedSinceAttachWritesEvenTheSameVersion) {
    connect(Path::Own);
    scratch.writeBytes("buffer_option.prog", std::vector<std::uint8_t>(256, 0));
    link.writerFirmwareVersion = 0x0102;
    link.familyFirmwareLoaded = false;
    EXPECT_TRUE(writer.EnsureFamilyFirmware(writeImage(0x0102, 0x5A31)));
    EXPECT_FALSE(device.transcript.empty());
    EXPECT_TRUE(link.familyFirmwareLoaded);
}

TEST_F(FamilyFirmwareTest, MatchingLoadedFirmwareOnlyRewritesTheStamp) {
    connect(Path::Own);
    scratch.writeBytes("buffer_option.prog", std::vector<std::uint8_t>(256, 0));
    link.writerFirmwareVersion = 0x0102;
    link.familyFirmwareLoaded = true;
    EXPECT_TRUE(writer.EnsureFamilyFirmware(writeImage(0x0102, 0x6B42)));
    EXPECT_TRUE(device.transcript.empty());
    const auto option = optionBytes();
    EXPECT_EQ(std::vector<std::uint8_t>(option.begin() + 240, option.begin() + 244),
              (std::vector<std::uint8_t>{0x20, 0x23, 0x6B, 0x42}));
}

TEST_F(FamilyFirmwareTest, FailedImageWriteIsAFailureAndNotTakenAsLoaded) {
    connect(Path::Own);
    scratch.writeBytes("buffer_option.prog", std::vector<std::uint8_t>(256, 0));
    device.corruptMemoryReadBack = true;
    EXPECT_FALSE(writer.EnsureFamilyFirmware(writeImage(0x0102, 0x5A31)));
    EXPECT_FALSE(link.familyFirmwareLoaded);
    EXPECT_EQ(link.writerFirmwareVersion, 0);
}

TEST_F(FamilyFirmwareTest, MissingFilesGiveTheirMessages) {
    connect(Path::Own);
    EXPECT_FALSE(writer.EnsureFamilyFirmware(scratch / "absent.nce"));
    EXPECT_FALSE(writer.EnsureFamilyFirmware(writeImage()));
    EXPECT_EQ(op.texts(),
              (std::vector<std::string>{"Can't Find NceFile\n" + (scratch / "absent.nce").string(),
                                        "buffer_option.prog open file error\n"}));
    EXPECT_TRUE(device.transcript.empty());
}

TEST_F(FamilyFirmwareTest, AFileThatIsNoFirmwareImageIsNotSent) {
    connect(Path::Own);
    scratch.writeBytes("buffer_option.prog", std::vector<std::uint8_t>(256, 0));
    auto noModel = Image(0x0102, 0x5A31);
    noModel[0xFA8F] = 0x50;
    auto longer = Image(0x0102, 0x5A31);
    longer.push_back(0);
    auto klw21 = Image(0x5B01, 0x5A31);  // 0x5B at 0xFA90 alone names the other model
    klw21[0xFA8F] = 0;
    const struct {
        const char* name;
        std::vector<std::uint8_t> image;
        bool accepted;
    } cases[] = {{"no model code", noModel, false},
                 {"one byte too long", longer, false},
                 {"model KLW21", klw21, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(FirmwareImageProblem(c.image).empty(), c.accepted) << c.name;
    }
    op.shown.clear();
    EXPECT_FALSE(writer.EnsureFamilyFirmware(scratch.writeBytes("random.nce", noModel)));
    EXPECT_NE(op.texts().at(0).find("is not a writer firmware image"), std::string::npos);
    EXPECT_TRUE(device.transcript.empty());
}

}  // namespace
}  // namespace vexlor::test
