#include "core/writer/WriterListing.h"

#include <gtest/gtest.h>

#include "core/writer/WriterTransports.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

using Ids = std::vector<std::string>;
const std::string kClass = "#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}";

TEST(WriterListingTest, EveryWriterGetsADistinctStableId) {
    const std::string upperClass = "#{3D7E41A2-5C19-4F60-9B8E-61A0C2D4F7B3}";
    const struct {
        WriterSources sources;
        Ids ids;
    } cases[] = {
        {{{{"1-4.2", "ABC123"}, {"3-1", ""}}, {}, false}, {"usb-serial:ABC123", "usb:3-1"}},
        // A serial number two writers share tells neither apart.
        {{{{"1-1", "0001"}, {"1-2", "0001"}}, {}, false}, {"usb:1-1", "usb:1-2"}},
        {{{}, {"sim-a" + kClass, "X" + upperClass}, false}, {"pipe:sim-a", "pipe:X"}},
        {{{}, {"a" + kClass, "a" + upperClass}, false}, {"pipe:a" + kClass, "pipe:a" + upperClass}},
        {{{{"2-7", ""}}, {"w"}, true}, {"usb:2-7", "pipe:w", "library"}},
    };
    for (const auto& c : cases) {
        Ids ids;
        for (const WriterListing& writer : ListWriters(c.sources)) {
            ids.push_back(writer.id);
        }
        EXPECT_EQ(ids, c.ids);
    }
}

TEST(WriterListingTest, FindsByIdAndAUsbWriterWithASerialByItsPortToo) {
    const auto writers = ListWriters({{{"1-4.2", "ABC123"}}, {"w"}, true});
    EXPECT_EQ(FindWriter(writers, "usb:1-4.2"), &writers[0]);
    EXPECT_EQ(FindWriter(writers, "usb-serial:ABC123"), &writers[0]);
    EXPECT_EQ(FindWriter(writers, "pipe:w"), &writers[1]);
    EXPECT_EQ(FindWriter(writers, "pipe:1-4.2"), nullptr);
    EXPECT_EQ(CountOwnPathWriters(writers), 2u);
}

TEST(WriterListingTest, SysfsAndDeviceDirectoryListOnlyWriters) {
    ScratchDir sysfs;
    for (const std::string device : {"3-2 7a5c 0c31", "1-4.2 7A5C 0C31", "1-5 7a5c 0c32"}) {
        const auto place = device.substr(0, device.find(' '));
        sysfs.write(place + "/idVendor", device.substr(place.size() + 1, 4) + "\n");
        sysfs.write(place + "/idProduct", device.substr(place.size() + 6) + "\n");
    }
    sysfs.write("1-4.2/serial", "ABC123\n");
    sysfs.write("1-4.2:1.0/bInterfaceClass", "ff\n");
    const auto places = SysfsUsbWriters(sysfs.path());
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].portPath + "/" + places[0].serial, "1-4.2/ABC123");
    EXPECT_EQ(places[1].portPath + "/" + places[1].serial, "3-2/");
    ScratchDir devices;
    for (const std::string& name :
         {"b" + kClass, "a" + kClass, "." + kClass, std::string("nogu1d")}) {
        devices.write(name + "/PIPE00", "");
        devices.write(name + "/PIPE01", "");
    }
    devices.write("half" + kClass + "/PIPE00", "");
    EXPECT_EQ(PipeInterfaceNames(devices.path()), (Ids{"a" + kClass, "b" + kClass}));
}

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

// Whether a writer may be there, found out without starting libusb or opening anything.
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
