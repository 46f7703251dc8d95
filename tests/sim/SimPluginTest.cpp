// The simulator's access-library plugin, loaded with dlopen by the program's own loader.
#include <stdlib.h>

#include <gtest/gtest.h>

#include "SimRig.h"
#include "core/writer/PluginAccessLibrary.h"

namespace vexlor::sim::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SimPlugin : public ::testing::Test {
  protected:
    void SetUp() override {
        ::unsetenv("VEXLOR_SIM_FAULTS");
        ::unsetenv("VEXLOR_SIM_ABSENT");
        // Read when the plugin first opens its writer.
        ::setenv("VEXLOR_SIM_VERSION", "V1.0", 1);
        library = LoadAccessLibrary(VEXLOR_SIM_PLUGIN, silent);
    }

    Diagnostics silent{[](std::string_view) {}};
    std::unique_ptr<AccessLibrary> library;
    SimWriter unused;
};

TEST_F(SimPlugin, ProgramReachesTheWriterThroughThePlugin) {
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
}

TEST_F(SimPlugin, FaultsAndAbsenceComeFromTheEnvironment) {
    ::setenv("VEXLOR_SIM_FAULTS", "corrupt", 1);
    SimRig rig(unused, SimRig::Reach::AccessLibrary, {}, library.get());
    ASSERT_TRUE(rig.connect());
    rig.base.writeBytes("test_option.prog", Bytes(16, 0));
    rig.base.writeBytes("buffer_option.prog", Bytes(256, 1));
    rig.base.writeBytes("buffer_data.prog", Bytes(0x300, 0x42));
    EXPECT_FALSE(rig.writer.DownloadBuffers());
    ::setenv("VEXLOR_SIM_ABSENT", "1", 1);
    EXPECT_EQ(library->open(0x5A5B, 0, 0), 1);
    std::array<std::uint8_t, 26> text{};
    EXPECT_EQ(library->receiveCommand(0x04, text.data(), 26), 0);
}

}  // namespace
}  // namespace vexlor::sim::test
