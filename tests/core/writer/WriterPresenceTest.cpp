// Finding out whether a writer may be there without starting libusb or opening anything.
#include <gtest/gtest.h>

#include "core/writer/WriterTransports.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

// Files below a scratch directory: name and text. "sys" and "usbfs" stand for the kernel's
// lists, "devices" for the device directory.
using Files = std::vector<std::pair<std::string, std::string>>;

bool presentWith(const Files& files, bool sysfs = true) {
    ScratchDir scratch;
    std::filesystem::create_directories(scratch / "devices");
    if (sysfs) {
        std::filesystem::create_directories(scratch / "sys");
    }
    for (const auto& [name, text] : files) {
        std::filesystem::create_directories((scratch / name).parent_path());
        scratch.write(name, text);
    }
    return WriterMayBePresent({scratch / "devices", scratch / "liborvoapi.so",
                               UsbDeviceLists{scratch / "sys", scratch / "usbfs"}});
}

TEST(WriterPresence, AnyRealWayMayReachTheWriter) {
    const Files writer{{"sys/1-1/idVendor", "7a5c\n"}, {"sys/1-1/idProduct", "0c31\n"}};
    const Files hub{{"sys/usb1/idVendor", "1d6b\n"}, {"sys/usb1/idProduct", "0002\n"}};
    const Files pipes{{"devices/w#{x}/PIPE00", ""}, {"devices/w#{x}/PIPE01", ""}};
    EXPECT_TRUE(presentWith(writer));
    EXPECT_FALSE(presentWith(hub));
    EXPECT_FALSE(presentWith({{"sys/1-1:1.0/bInterfaceClass", "ff\n"}}));
    EXPECT_FALSE(presentWith({{"sys/1-1/idVendor", "7a5c\n"}, {"sys/1-1/idProduct", "0c32\n"}}));
    EXPECT_FALSE(presentWith({{"sys/1-1/idVendor", "7a5d\n"}, {"sys/1-1/idProduct", "0c31\n"}}));
    // Without the sysfs list only libusb can tell, and only when usbfs is there.
    EXPECT_TRUE(presentWith({{"usbfs/001/001", ""}}, false));
    EXPECT_FALSE(presentWith({}, false));
    EXPECT_TRUE(presentWith({{"liborvoapi.so", ""}}));
    EXPECT_TRUE(presentWith(pipes));
    EXPECT_FALSE(presentWith({pipes[0]}));  // an interface half laid out
    EXPECT_FALSE(presentWith({}));
}

}  // namespace
}  // namespace vexlor::test
