#include <poll.h>
#include <unistd.h>

#include "WriterFixture.h"

namespace vexlor::test {
namespace {

using Path = WriterFixture::Path;

class WriterCommandsTest : public WriterFixture {};

struct WordCase {
    Path path;
    std::uint16_t value;
    std::vector<std::uint8_t> bytes;
};

class ControlWordTest : public WriterFixture, public ::testing::WithParamInterface<WordCase> {};

TEST_P(ControlWordTest, ModeThenWordInTheTransportsByteOrder) {
    connect(GetParam().path);
    writer.WriteControlWord(GetParam().value);
    EXPECT_EQ(device.transcript,
              (std::vector<SeenCommand>{Out(0x00, {0x47}), Out(0x03, GetParam().bytes)}));
}

INSTANTIATE_TEST_SUITE_P(Transports, ControlWordTest,
                         ::testing::Values(WordCase{Path::Library, 0x3905, {0x39, 0x05}},
                                           WordCase{Path::Own, 0x3905, {0x05, 0x39}},
                                           WordCase{Path::Library, 0x8D01, {0x8D, 0x01}},
                                           WordCase{Path::Own, 0x8D01, {0x01, 0x8D}}));

TEST_F(WriterCommandsTest, SingleByteCommands) {
    connect(Path::Own);
    writer.ChangeWriterMode(0x80);
    writer.SetOperationLamp(0x10);
    writer.WriteControlByte(0x30);
    std::array<std::uint8_t, 6> voltages{};
    EXPECT_TRUE(writer.ReadVoltageBlock(voltages));
    EXPECT_EQ(voltages, (std::array<std::uint8_t, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(device.transcript,
              (std::vector<SeenCommand>{Out(0x00, {0x80}), Out(0x17, {0x10}), Out(0x00, {0x47}),
                                        Out(0x01, {0x30}), In(0x05, 6)}));
}

TEST_F(WriterCommandsTest, ReadWriterByteOwnPathUsesTwoAddressBytes) {
    connect(Path::Own);
    device.memory[0xFA90] = 0x5A;
    EXPECT_EQ(writer.ReadWriterByte(0xFA90), 0x5A);
    EXPECT_EQ(device.transcript,
              (std::vector<SeenCommand>{Out(0x00, {0x00}), Out(0x0F, {0xFA, 0x90}), In(0x11, 1)}));
    EXPECT_FALSE(link.busy);
    EXPECT_FALSE(link.showTransferProgress);
}

TEST_F(WriterCommandsTest, ReadWriterByteWithUnknownVersionSendsNothing) {
    connect(Path::Own);
    link.knownWriterVersion = false;
    device.memory[0x39] = 0xC8;
    EXPECT_EQ(writer.ReadWriterByte(0x39), 0);
    EXPECT_TRUE(device.transcript.empty());
    EXPECT_FALSE(link.busy);
}

TEST_F(WriterCommandsTest, ReadWriterByteThroughTheLibraryUsesFourAddressBytes) {
    connect(Path::Library);
    link.knownWriterVersion = false;  // the library path does not depend on it
    device.memory[0x39] = 0xC8;
    EXPECT_EQ(writer.ReadWriterByte(0x39), 0xC8);
    EXPECT_EQ(device.transcript,
              (std::vector<SeenCommand>{Out(0x00, {0x00}), Out(0x0F, {0x00, 0x00, 0x00, 0x39}),
                                        In(0x11, 1)}));
}

TEST_F(WriterCommandsTest, PipePathRefusesNullDataBeforeSendingAnything) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    link.readPipe = fds[0];
    link.writePipe = fds[1];
    link.showTransferProgress = true;
    EXPECT_FALSE(connection.UsbSendData(nullptr, 0, 0x10));
    EXPECT_EQ(progress.events, (std::vector<std::string>{"R0-100", "P1"}));
    pollfd entry{fds[0], POLLIN, 0};
    EXPECT_EQ(::poll(&entry, 1, 0), 0) << "not one byte went down the pipe";
}

TEST_F(WriterCommandsTest, LibusbSendsAnEmptyTransferWithoutDataButRefusesMissingBytes) {
    connect(Path::Own);
    EXPECT_TRUE(connection.UsbSendData(nullptr, 0, 0x17));
    EXPECT_EQ(device.transcript, (std::vector<SeenCommand>{Out(0x17, {})}));
    EXPECT_FALSE(connection.UsbSendData(nullptr, 4, 0x17));
    EXPECT_EQ(device.transcript.size(), 1u);
}

TEST_F(WriterCommandsTest, ClosedOwnPathFailsEveryTransfer) {
    std::array<std::uint8_t, 26> buffer{};
    std::uint8_t byte = 1;
    EXPECT_FALSE(connection.UsbSendData(&byte, 1, 0x17));
    EXPECT_FALSE(connection.UsbReceiveData(buffer.data(), 6, 0x05));
    EXPECT_FALSE(connection.UsbReadVersion(buffer.data()));
    EXPECT_FALSE(connection.ReadVersionBlock(0x04, buffer.data(), 26));
}

TEST_F(WriterCommandsTest, OwnPathRefusesAVersionBufferSmallerThanTheBlock) {
    connect(Path::Own);
    std::array<std::uint8_t, 26> buffer{};
    EXPECT_FALSE(connection.ReadVersionBlock(0x04, buffer.data(), 21));
    EXPECT_TRUE(device.transcript.empty());
}

TEST_F(WriterCommandsTest, OptionHeaderIsReadFromTheOptionArea) {
    connect(Path::Own);
    device.areas[4] = std::vector<std::uint8_t>(700, 0x00);
    device.areas[4][0] = 'Q';
    device.areas[4][511] = 0x77;
    device.areas[4][512] = 0x99;
    writer.ReadOptionHeader(link.optionHeader);
    EXPECT_EQ(link.optionHeader[0], 'Q');
    EXPECT_EQ(link.optionHeader[511], 0x77);
    EXPECT_EQ(device.transcript,
              (std::vector<SeenCommand>{Out(0x00, {0x47}), Out(0x14, {4, 0x17}), In(0x13, 512),
                                        Out(0x14, {0x0C, 0x07}), Out(0x00, {0x07})}));
}

TEST_F(WriterCommandsTest, JobDataAndHostSequence) {
    connect(Path::Own);
    device.jobData = {9, 8, 7};
    std::array<std::uint8_t, 3> data{};
    EXPECT_TRUE(writer.ReadJobData(data.data(), 3));
    EXPECT_EQ(data, (std::array<std::uint8_t, 3>{9, 8, 7}));
    writer.BeginHostSequence();
    EXPECT_EQ(device.transcript,
              (std::vector<SeenCommand>{In(0x18, 3), Out(0x15, {0x30}), Out(0x17, {0x10})}));
    EXPECT_EQ(clock.waits(), std::vector<std::uint32_t>{300});
}

}  // namespace
}  // namespace vexlor::test
