// The simulator's access-library plugin, loaded with dlopen by the program's own loader.
#include <stdlib.h>

#include <gtest/gtest.h>

#include "SimRig.h"
#include "core/writer/PluginAccessLibrary.h"

namespace vexlor::sim::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SimPlugin, ProgramReachesTheWriterAndFaultsAndAbsenceComeFromTheEnvironment) {
    ::unsetenv("VEXLOR_SIM_FAULTS");
    ::unsetenv("VEXLOR_SIM_ABSENT");
    ::setenv("VEXLOR_SIM_VERSION", "V1.0", 1);  // read when the plugin first opens its writer
    Diagnostics silent{[](std::string_view) {}};
    const auto library = LoadAccessLibrary(VEXLOR_SIM_PLUGIN, silent);
    SimWriter unused;
    SimRig rig(unused, SimRig::Reach::AccessLibrary, {}, library.get());
    ASSERT_TRUE(rig.connect());
    EXPECT_TRUE(rig.connection.usesAccessLibrary());
    std::array<std::uint8_t, 26> text{};
    ASSERT_TRUE(rig.writer.ReadVersionBlock(0x04, text.data(), 26));
    EXPECT_EQ(std::string(text.begin(), text.end()), "USB STANDALONE WRITER_V1.0");
    EXPECT_EQ(rig.writer.ReadWriterByte(0x39), 0xC8);
    std::array<std::uint8_t, 8> id{};
    ASSERT_TRUE(rig.writer.ReceiveData(0xF4, id.data(), 8));
    EXPECT_EQ(id, (std::array<std::uint8_t, 8>{'K', 'L', 'W', 1, 1, 0x12, 0x34, 0x56}));
    rig.base.writeBytes("test_option.prog", Bytes(16, 0));
    rig.base.writeBytes("buffer_option.prog", Bytes(256, 1));
    rig.base.writeBytes("buffer_data.prog", Bytes(0x300, 0x42));
    EXPECT_TRUE(rig.writer.DownloadBuffers());
    ::setenv("VEXLOR_SIM_FAULTS", "corrupt", 1);  // read at every open
    ASSERT_TRUE(rig.connection.SelectTransport(true, "any"));
    EXPECT_FALSE(rig.writer.DownloadBuffers());
    ::setenv("VEXLOR_SIM_ABSENT", "1", 1);
    EXPECT_EQ(library->open(0x5A5B, 0, 0), 1);
    EXPECT_EQ(library->receiveCommand(0x04, text.data(), 26), 0);
}

}  // namespace
}  // namespace vexlor::sim::test
