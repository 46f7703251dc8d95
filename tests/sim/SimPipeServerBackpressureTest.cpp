// The pipe server when the host is slow to read its answers or the writer vanishes while
// answering.
#include <gtest/gtest.h>

#include "PipeHost.h"
#include "sim/SimPipeServer.h"
#include "support/ScratchDir.h"

namespace vexlor::sim {
namespace {

using test::Bytes;
using test::PipeHost;
constexpr std::size_t kStatusLength = 13;

Bytes command(std::uint8_t code, std::uint32_t length, std::size_t dataLength = 0,
              std::uint8_t fill = 0) {
    Bytes bytes = test::commandBytes(code, length);
    bytes.resize(bytes.size() + dataLength, fill);
    return bytes;
}

class SimPipeServerBackpressureTest : public ::testing::Test {
  protected:
    vexlor::test::ScratchDir scratch;
    SimWriter writer;
    VirtualClock clock;
    SimPipeServer server{writer, {scratch / "devices", "", false}, clock};
};

TEST_F(SimPipeServerBackpressureTest, AnswerLargerThanTheHostPipeArrivesWholeInRounds) {
    std::string error;
    ASSERT_TRUE(server.arrive(error)) << error;
    PipeHost host(server.interfacePath());
    Bytes mode = command(cmd::kMode, 1, 1, 0x00);
    host.send(mode);
    server.serveOnce(0);
    ASSERT_EQ(host.drain().size(), kStatusLength);
    Bytes pattern(0x8000);  // eight times the host pipe below
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
    }
    Bytes write = command(cmd::kWriteMemory, std::uint32_t(pattern.size()));
    write.insert(write.end(), pattern.begin(), pattern.end());
    host.send(write);
    server.serveOnce(0);
    ASSERT_EQ(host.drain().size(), kStatusLength);
    Bytes rewind = command(cmd::kSetAddress, 2);
    rewind.insert(rewind.end(), {0x00, 0x00});
    host.send(rewind);
    server.serveOnce(0);
    ASSERT_EQ(host.drain().size(), kStatusLength);

    // A host pipe of one page: the server can hand over only part of the answer per round.
    const int page = host.limitAnswerPipe(4096);
    ASSERT_GT(page, 0);
    host.send(command(cmd::kReadMemory, std::uint32_t(pattern.size())));
    Bytes answer;
    int rounds = 0;
    while (answer.size() < pattern.size() + kStatusLength && rounds < 1000) {
        server.serveOnce(0);
        const Bytes got = host.drain();
        EXPECT_LE(got.size(), std::size_t(page));
        answer.insert(answer.end(), got.begin(), got.end());
        ++rounds;
    }
    EXPECT_GT(rounds, int(pattern.size()) / page);  // it came in pieces
    ASSERT_EQ(answer.size(), pattern.size() + kStatusLength);
    EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), answer.begin()));
    EXPECT_TRUE(server.present());
}

TEST_F(SimPipeServerBackpressureTest, WriterVanishingWhileAnsweringRemovesTheInterface) {
    std::string error;
    ASSERT_TRUE(server.arrive(error)) << error;
    PipeHost host(server.interfacePath());
    host.send(command(cmd::kMode, 1, 1, 0x00));
    server.serveOnce(0);
    ASSERT_EQ(host.drain().size(), kStatusLength);
    // Gone after the command and a few bytes of the version text.
    writer.faults().removeAfterBytes = 13 + 4;
    host.send(command(cmd::kVersion, kVersionLength));
    server.serveOnce(0);
    EXPECT_FALSE(server.present());
    EXPECT_FALSE(std::filesystem::exists(server.interfacePath()));
    EXPECT_TRUE(host.drain().empty());  // the end of the pipe, no part of the answer
}

}  // namespace
}  // namespace vexlor::sim
