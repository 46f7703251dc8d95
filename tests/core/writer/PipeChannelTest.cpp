// The device-file pipes on plain pipes: a writer that hangs up or goes quiet fails the call.
#include "core/writer/PipeChannel.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <array>

namespace vexlor::test {
namespace {

// Two pipes as the writer's side sees them: `toHost` feeds the channel, `fromHost` takes what
// it writes.
struct PipePair {
    PipePair() {
        EXPECT_EQ(::pipe(toHost.data()), 0);
        EXPECT_EQ(::pipe(fromHost.data()), 0);
    }
    ~PipePair() {
        for (int fd : {toHost[0], toHost[1], fromHost[0], fromHost[1]}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    void hangUp(int& fd) {
        ::close(fd);
        fd = -1;
    }
    std::array<int, 2> toHost{-1, -1};
    std::array<int, 2> fromHost{-1, -1};
};

TEST(PipeChannel, CarriesBytesBothWays) {
    PipePair pipes;
    PipeChannel channel(pipes.toHost[0], pipes.fromHost[1], 0);
    const std::uint8_t command[] = {0xA5, 0x01, 0x02};
    ASSERT_TRUE(channel.write(command, sizeof command));
    std::array<std::uint8_t, 3> got{};
    ASSERT_EQ(::read(pipes.fromHost[0], got.data(), got.size()), 3);
    EXPECT_EQ(got, (std::array<std::uint8_t, 3>{0xA5, 0x01, 0x02}));
    ASSERT_EQ(::write(pipes.toHost[1], "\x5A\x07", 2), 2);
    std::array<std::uint8_t, 2> answer{};
    ASSERT_TRUE(channel.read(answer.data(), answer.size()));
    EXPECT_EQ(answer, (std::array<std::uint8_t, 2>{0x5A, 0x07}));
}

TEST(PipeChannel, AHangUpOrSilenceFailsTheCall) {
    std::uint8_t byte = 0x11;
    {
        PipePair pipes;  // the writer closed its answer pipe after one byte
        ASSERT_EQ(::write(pipes.toHost[1], "x", 1), 1);
        pipes.hangUp(pipes.toHost[1]);
        PipeChannel channel(pipes.toHost[0], pipes.fromHost[1], 0);
        std::array<std::uint8_t, 2> two{};
        EXPECT_FALSE(channel.read(two.data(), two.size()));
    }
    {
        PipePair pipes;  // nobody reads the commands any more: no SIGPIPE may end the program
        pipes.hangUp(pipes.fromHost[0]);
        PipeChannel channel(pipes.toHost[0], pipes.fromHost[1], 0);
        EXPECT_FALSE(channel.write(&byte, 1));
        sigset_t pending;
        sigpending(&pending);
        EXPECT_EQ(sigismember(&pending, SIGPIPE), 0);
    }
    {
        PipePair pipes;  // no answer within the limit: every later call fails at once
        PipeChannel channel(pipes.toHost[0], pipes.fromHost[1], 0);
        EXPECT_FALSE(channel.read(&byte, 1));
        EXPECT_FALSE(channel.write(&byte, 1));
        ::fcntl(pipes.fromHost[0], F_SETFL, O_NONBLOCK);
        EXPECT_EQ(::read(pipes.fromHost[0], &byte, 1), -1);  // nothing was sent
    }
    PipeChannel closed(-1, -1, 0);
    EXPECT_FALSE(closed.read(&byte, 1));
    EXPECT_FALSE(closed.write(&byte, 1));
}

}  // namespace
}  // namespace vexlor::test
