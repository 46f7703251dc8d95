#include "core/writer/WriterListing.h"

#include <gtest/gtest.h>

#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

using Ids = std::vector<std::string>;

Ids idsOf(const std::vector<WriterListing>& writers) {
    Ids ids;
    for (const auto& writer : writers) {
        ids.push_back(writer.id);
    }
    return ids;
}

TEST(WriterListingTest, EveryWriterGetsADistinctStableId) {
    struct Case {
        const char* label;
        WriterSources sources;
        Ids ids;
    };
    const Case cases[] = {
        {"serial number names the writer, else its port",
         {{{"1-4.2", "ABC123"}, {"3-1", ""}}, {}, false},
         {"usb-serial:ABC123", "usb:3-1"}},
        {"a serial number two writers share names neither",
         {{{"1-1", "0001"}, {"1-2", "0001"}}, {}, false},
         {"usb:1-1", "usb:1-2"}},
        {"the class suffix is left out of an interface, in any case",
         {{},
          {"sim-a#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}",
           "X#{3D7E41A2-5C19-4F60-9B8E-61A0C2D4F7B3}"},
          false},
         {"pipe:sim-a", "pipe:X"}},
        {"interfaces whose short names clash keep their whole names",
         {{},
          {"a#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}", "a#{3D7E41A2-5C19-4F60-9B8E-61A0C2D4F7B3}"},
          false},
         {"pipe:a#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}",
          "pipe:a#{3D7E41A2-5C19-4F60-9B8E-61A0C2D4F7B3}"}},
        {"the access library last", {{{"2-7", ""}}, {"w"}, true}, {"usb:2-7", "pipe:w", "library"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(idsOf(ListWriters(c.sources)), c.ids) << c.label;
    }
}

TEST(WriterListingTest, FindsByIdAndAUsbWriterWithASerialByItsPortToo) {
    const auto writers = ListWriters({{{"1-4.2", "ABC123"}}, {"w"}, true});
    EXPECT_EQ(FindWriter(writers, "usb:1-4.2"), &writers[0]);
    EXPECT_EQ(FindWriter(writers, "usb-serial:ABC123"), &writers[0]);
    EXPECT_EQ(FindWriter(writers, "pipe:w"), &writers[1]);
    EXPECT_EQ(FindWriter(writers, "pipe:1-4.2"), nullptr);
    EXPECT_EQ(FindWriter(writers, "usb:1-4"), nullptr);
    EXPECT_EQ(CountOwnPathWriters(writers), 2u);
    EXPECT_EQ(WriterIdList(writers), "usb-serial:ABC123, pipe:w, library");
    EXPECT_EQ(WriterIdList({}), "none");
}

TEST(WriterListingTest, SysfsListsOnlyDevicesWithTheWritersIdentity) {
    ScratchDir sysfs;
    const auto device = [&](const std::string& name, const std::string& vendor,
                            const std::string& product, const char* serial) {
        sysfs.write(name + "/idVendor", vendor + "\n");
        sysfs.write(name + "/idProduct", product + "\n");
        if (serial != nullptr) {
            sysfs.write(name + "/serial", std::string(serial) + "\n");
        }
    };
    device("3-2", "7a5c", "0c31", nullptr);
    device("1-4.2", "7A5C", "0C31", "ABC123");
    device("1-5", "7a5c", "0c32", "OTHER");
    device("usb1", "1d6b", "0002", nullptr);
    sysfs.write("1-4.2:1.0/bInterfaceClass", "ff\n");
    const auto places = SysfsUsbWriters(sysfs.path());
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].portPath, "1-4.2");
    EXPECT_EQ(places[0].serial, "ABC123");
    EXPECT_EQ(places[1].portPath, "3-2");
    EXPECT_EQ(places[1].serial, "");
    EXPECT_TRUE(SysfsUsbWriters(sysfs / "absent").empty());
}

TEST(WriterListingTest, PipeInterfacesNeedTheClassBothPipesAndAVisibleName) {
    ScratchDir devices;
    const std::string guid = "#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}";
    for (const std::string& name :
         {"b" + guid, "a" + guid, ".staging" + guid, std::string("nogu1d")}) {
        devices.write(name + "/PIPE00", "");
        devices.write(name + "/PIPE01", "");
    }
    devices.write("half" + guid + "/PIPE00", "");
    EXPECT_EQ(PipeInterfaceNames(devices.path()), (Ids{"a" + guid, "b" + guid}));
}

}  // namespace
}  // namespace vexlor::test
