// The pipe server in this process: the test plays the host on the FIFOs and turns the
// server's crank itself.
#include "sim/SimPipeServer.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <numeric>

#include "PipeHost.h"
#include "sim/SimSettings.h"
#include "support/ScratchDir.h"

namespace vexlor::sim {
namespace {

using test::Bytes;
using test::commandBytes;
using test::PipeHost;

// Asks the writer's status through the server; whether the 14 bytes of answer came back.
bool statusAnswered(const PipeHost& host, SimPipeServer& server) {
    host.send(commandBytes(0x16, 1));
    server.serveOnce(0);
    return host.take(100).size() == 14;
}

class SimPipeServerTest : public ::testing::Test {
  protected:
    SimPipeServer::Options options(bool timing = false) const {
        return {scratch / "devices", "", timing};
    }

    vexlor::test::ScratchDir scratch;
    SimWriter writer;
    VirtualClock clock;
};

TEST_F(SimPipeServerTest, OneInterfaceOfAName) {
    SimPipeServer first(writer, options(), clock);
    std::string error;
    ASSERT_TRUE(first.arrive(error));
    {
        SimPipeServer second(writer, options(), clock);
        EXPECT_FALSE(second.arrive(error));
        EXPECT_EQ(error, "device interface already present: " + first.interfacePath().string());
    }  // the refused server is gone and must have left the first one's interface alone
    PipeHost host(first.interfacePath());
    ASSERT_TRUE(host.open());
    EXPECT_TRUE(statusAnswered(host, first));
    first.remove();
    EXPECT_FALSE(std::filesystem::exists(first.interfacePath()));
    SimPipeServer third(writer, options(), clock);
    EXPECT_TRUE(third.arrive(error)) << error;
}

TEST_F(SimPipeServerTest, InterfaceLeftByAKilledServerIsReplaced) {
    SimPipeServer server(writer, options(), clock);
    std::filesystem::create_directories(server.interfacePath());
    ASSERT_EQ(::mkfifo((server.interfacePath() / "PIPE00").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((server.interfacePath() / "PIPE01").c_str(), 0600), 0);
    std::string error;
    ASSERT_TRUE(server.arrive(error)) << error;
    PipeHost host(server.interfacePath());
    ASSERT_TRUE(host.open());
    EXPECT_TRUE(statusAnswered(host, server));
}

TEST_F(SimPipeServerTest, UnusableDeviceDirectoryIsReported) {
    scratch.write("file", "not a directory");
    SimPipeServer server(writer, {scratch / "file", "", false}, clock);
    std::string error;
    EXPECT_FALSE(server.arrive(error));
    EXPECT_NE(error.find("cannot create the device interface below"), std::string::npos);
    EXPECT_FALSE(server.present());
}

TEST_F(SimPipeServerTest, UsbTimingWaitsAboutAMicrosecondPerByte) {
    struct Case {
        bool timing;
        std::uint32_t expectedMs;
    };
    // Mode (13 + 1 in, 13 out), then 2000 bytes of memory (13 + 2000 in, 13 out): 2053 bytes.
    const Case cases[] = {{false, 0}, {true, 2}};
    for (const auto& c : cases) {
        VirtualClock timed;
        SimWriter device;
        SimPipeServer server(
            device, {scratch / ("devices" + std::to_string(c.timing)), "", c.timing}, timed);
        std::string error;
        ASSERT_TRUE(server.arrive(error)) << error;
        PipeHost host(server.interfacePath());
        Bytes mode = commandBytes(0x00, 1);
        mode.push_back(0x00);
        host.send(mode);
        server.serveOnce(0);
        EXPECT_EQ(host.take(13).size(), 13u);
        Bytes memory = commandBytes(0x10, 2000);
        memory.resize(memory.size() + 2000, 0x66);
        host.send(memory);
        server.serveOnce(0);
        EXPECT_EQ(host.take(13).size(), 13u);
        const auto& waits = timed.waits();
        EXPECT_EQ(std::accumulate(waits.begin(), waits.end(), 0u), c.expectedMs);
        EXPECT_EQ(device.memory()[1999], 0x66);
    }
}

TEST_F(SimPipeServerTest, WriterVanishingRemovesTheInterface) {
    SimPipeServer server(writer, options(), clock);
    std::string error;
    ASSERT_TRUE(server.arrive(error));
    PipeHost host(server.interfacePath());
    writer.faults().removeAfterBytes = 5;
    host.send(commandBytes(0x17, 1));
    server.serveOnce(0);
    EXPECT_FALSE(server.present());
    EXPECT_FALSE(std::filesystem::exists(server.interfacePath()));
    EXPECT_TRUE(host.take(13).empty());  // the end of the pipe, no answer
}

auto fields(const SimFaults& f) {
    return std::tuple(f.jobFails, f.jobNeverSettles, f.corruptReadBack, f.voltagesOutOfRange,
                      f.statusWithheld, f.removeAfterBytes, f.failChipJob, f.voltageEdge);
}

TEST(SimSettings, VersionChoicesAndFaultLists) {
    EXPECT_EQ(versionTextFor("V1.0"), "USB STANDALONE WRITER_V1.0");
    EXPECT_EQ(versionTextFor("V1.1"), "USB STANDALONE WRITER_V1.1");
    EXPECT_EQ(versionTextFor("V2.0"), "USB STANDALONE WRITER_V2.0");
    EXPECT_EQ(versionTextFor("PROTOTYPE"), "PROTOTYPE");
    EXPECT_EQ(versionTextFor(std::string(40, 'X')), std::string(26, 'X'));
    struct Case {
        std::string list;
        bool ok;
        SimFaults expected;
    };
    SimFaults all;
    all.jobFails = all.jobNeverSettles = all.corruptReadBack = all.voltagesOutOfRange = true;
    all.statusWithheld = true;
    SimFaults removal;
    removal.removeAfterBytes = 4096;
    SimFaults thirdChip;
    thirdChip.failChipJob = 3;
    SimFaults aboveHigh;
    aboveHigh.voltageEdge = VoltageEdge::AboveHigh;
    const Case cases[] = {
        {"", true, {}},
        {"fail,never-settle,corrupt,voltage,no-status", true, all},
        {"remove-after=4096", true, removal},
        {"remove-after=", false, {}},
        {"remove-after=12kB", false, {}},
        {"fail-chip=3", true, thirdChip},
        {"fail-chip=0", false, {}},
        {"voltage-above-high", true, aboveHigh},
        {"voltage-beyond", false, {}},
        {"fail,,melt", false, {}},
    };
    for (const auto& c : cases) {
        SimFaults faults;
        std::string error;
        EXPECT_EQ(applyFaultList(c.list, faults, error), c.ok) << c.list;
        EXPECT_EQ(error.empty(), c.ok);
        if (c.ok) {
            EXPECT_EQ(fields(faults), fields(c.expected));
        }
    }
}

}  // namespace
}  // namespace vexlor::sim
