// Finding out whether a writer may be there without starting libusb or opening anything.
#include <gtest/gtest.h>

#include "core/writer/WriterTransports.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

struct UsbEntry {
    std::string name;
    std::string vendor;  // empty: no idVendor file (an interface entry)
    std::string product;
};

TEST(WriterPresence, KernelDeviceListDecidesWhetherLibusbStarts) {
    struct Case {
        const char* what;
        bool sysfs;
        bool usbfs;
        std::vector<UsbEntry> entries;
        bool expected;
    };
    const Case cases[] = {
        {"writer listed", true, true, {{"usb1", "1d6b", "0002"}, {"1-1", "7a5c", "0c31"}}, true},
        {"other devices", true, true, {{"usb1", "1d6b", "0002"}, {"1-1:1.0", "", ""}}, false},
        {"vendor alone", true, false, {{"1-2", "7a5c", "0c32"}}, false},
        {"product alone", true, false, {{"1-2", "7a5d", "0c31"}}, false},
        {"no sysfs, usbfs", false, true, {}, true},
        {"no USB at all", false, false, {}, false},
    };
    for (const Case& c : cases) {
        ScratchDir scratch;
        const UsbDeviceLists lists{scratch / "sys", scratch / "usbfs"};
        if (c.sysfs) {
            std::filesystem::create_directories(lists.sysfs);
        }
        if (c.usbfs) {
            std::filesystem::create_directories(lists.usbfs / "001");
        }
        for (const UsbEntry& e : c.entries) {
            std::filesystem::create_directories(lists.sysfs / e.name);
            if (!e.vendor.empty()) {
                scratch.write("sys/" + e.name + "/idVendor", e.vendor + "\n");
                scratch.write("sys/" + e.name + "/idProduct", e.product + "\n");
            }
        }
        EXPECT_EQ(UsbDeviceMayBePresent(lists, 0x7A5C, 0x0C31), c.expected) << c.what;
    }
}

TEST(WriterPresence, AnyRealWayMayReachTheWriter) {
    struct Case {
        const char* what;
        std::vector<std::string> files;  // below the scratch directory
        bool expected;
    };
    const Case cases[] = {
        {"nothing", {}, false},
        {"plugin file", {"liborvoapi.so"}, true},
        {"interface with both pipes",
         {"devices/writer#{x}/PIPE00", "devices/writer#{x}/PIPE01"},
         true},
        {"interface half laid out", {"devices/writer#{x}/PIPE00"}, false},
        {"writer on the bus", {"sys/1-1/idVendor", "sys/1-1/idProduct"}, true},
    };
    for (const Case& c : cases) {
        ScratchDir scratch;
        std::filesystem::create_directories(scratch / "devices");
        std::filesystem::create_directories(scratch / "sys");
        for (const std::string& file : c.files) {
            std::filesystem::create_directories((scratch / file).parent_path());
            scratch.write(file, file.ends_with("idVendor") ? "7a5c" : "0c31");
        }
        const WriterPaths paths{scratch / "devices", scratch / "liborvoapi.so",
                                UsbDeviceLists{scratch / "sys", scratch / "usbfs"}};
        EXPECT_EQ(WriterMayBePresent(paths), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace vexlor::test
