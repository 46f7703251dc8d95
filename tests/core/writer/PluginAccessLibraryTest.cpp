#include <gtest/gtest.h>

#include "core/writer/CommandSet.h"
#include "core/writer/PluginAccessLibrary.h"
#include "core/writer/WriterConnection.h"
#include "core/writer/WriterTransports.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

class PluginAccessLibraryTest : public ::testing::Test {
  protected:
    std::vector<std::string> lines;
    Diagnostics diagnostics{[this](std::string_view line) { lines.emplace_back(line); }};
};

TEST_F(PluginAccessLibraryTest, LoadedPluginCarriesEveryOrdinal) {
    auto library = LoadAccessLibrary(ECHO_PLUGIN_PATH, diagnostics);
    EXPECT_EQ(library->open(0x5A5B, 0, 0), 0);
    EXPECT_EQ(library->open(0x1234, 0, 0), 1);
    std::uint8_t data[] = {0x39, 0x05};
    EXPECT_NE(library->sendCommand(0x03, data, 2), 0);
    std::uint8_t back[3] = {};
    EXPECT_NE(library->receiveCommand(0x11, back, 3), 0);
    EXPECT_EQ(back[0], 0x03);
    EXPECT_EQ(back[1], 0x39);
    EXPECT_EQ(back[2], 0x05);
    library->setTimeout(5);
    std::uint8_t timeout = 0;
    library->receiveCommand(0x7E, &timeout, 1);
    EXPECT_EQ(timeout, 5);
    library->close();
    EXPECT_EQ(library->receiveCommand(0x11, back, 3), 0) << "close reached the plugin";
    EXPECT_TRUE(lines.empty());
}

// An absent library never opens a writer; only a file that is there but unusable is worth a line.
TEST_F(PluginAccessLibraryTest, MissingBrokenOrIncompleteFileIsAbsent) {
    ScratchDir scratch;
    EXPECT_NE(LoadAccessLibrary(scratch / "liborvoapi.so", diagnostics)->open(0x5A5B, 0, 0), 0);
    EXPECT_TRUE(lines.empty());
    const auto broken = scratch.write("liborvoapi.so", "not a shared object");
    EXPECT_NE(LoadAccessLibrary(broken, diagnostics)->open(0x5A5B, 0, 0), 0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Access library not loaded: ", 0), 0u);
    lines.clear();
    EXPECT_NE(LoadAccessLibrary(INCOMPLETE_PLUGIN_PATH, diagnostics)->open(0x5A5B, 0, 0), 0);
    EXPECT_EQ(lines, std::vector<std::string>{"Access library lacks orvo_ordinal_5\n"});
}

TEST_F(PluginAccessLibraryTest, TransportsLoadThePluginNamedInTheirPathsAndUseTheRealBus) {
    WriterTransports named({{"/nonexistent/devices", ECHO_PLUGIN_PATH}}, diagnostics);
    EXPECT_EQ(named.library().open(), OpenResult::Opened);
    EXPECT_EQ(named.library().name(), std::string("access library ") + ECHO_PLUGIN_PATH);
    EXPECT_NE(named.realBus(), nullptr);
    EXPECT_EQ(named.libusb().name(), "libusb");
    WriterTransports unnamed({{"/nonexistent/devices", {}}}, diagnostics);
    EXPECT_EQ(unnamed.library().open(), OpenResult::Absent);
    EXPECT_TRUE(lines.empty());
}

// The stand-in library forgets what was sent when it is closed.
TEST_F(PluginAccessLibraryTest, ArrivalClosesTheLibraryBeforeOpeningItAgain) {
    WriterTransports transports({{"/nonexistent/devices", ECHO_PLUGIN_PATH}}, diagnostics);
    WriterLink link;
    NullProgress progress;
    WriterConnection connection(link, transports, {progress, progress, diagnostics});
    ASSERT_TRUE(connection.SelectTransport(false));
    const std::uint8_t lamp = 0x10;
    ASSERT_TRUE(connection.SendCommand(cmd::kLamp, &lamp, 1));
    ASSERT_TRUE(connection.SelectTransport(true, "any"));
    std::uint8_t echoed = 0;
    EXPECT_FALSE(connection.ReceiveData(cmd::kJobData, &echoed, 1));
}

}  // namespace
}  // namespace vexlor::test
