// The program's libusb transport against the simulated writer on an emulated USB bus.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <sstream>

#include "EmulatedUsbWriter.h"
#include "ScratchBase.h"
#include "cli/CliRunner.h"
#include "support/ScratchDir.h"

namespace vexlor::usbtest {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class LibusbWriter : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("VEXLOR_DEVICE_DIR", (scratch / "devices").c_str(), 1);
        ::setenv("VEXLOR_ACCESS_LIBRARY", (scratch / "none.so").c_str(), 1);
        test::layOutBase(scratch.path(), test::builtBaseDir());
    }
    void TearDown() override {
        ::unsetenv("VEXLOR_DEVICE_DIR");
        ::unsetenv("VEXLOR_ACCESS_LIBRARY");
    }

    CliRun cli(std::vector<std::string> commands) {
        std::vector<std::string> args{"--base-dir", scratch.path().string()};
        args.insert(args.end(), commands.begin(), commands.end());
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::runCli(args, out, err);
        return {status, out.str(), err.str()};
    }

    test::ScratchDir scratch;
    sim::SimWriter writer;
    EmulatedUsbWriter usb{writer};
};

TEST_F(LibusbWriter, Info) {
    usb.plugIn();
    const CliRun r = cli({"--verbose", "devices", "info"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    std::cout << r.out << r.err;
}

}  // namespace
}  // namespace vexlor::usbtest
