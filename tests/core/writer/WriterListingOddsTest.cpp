// Device listings with odd content: only complete writer entries are listed, as they are named.
#include <gtest/gtest.h>

#include "core/writer/WriterListing.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

TEST(WriterListingOdds, SysfsEntriesNeedBothIdsOfTheWriter) {
    ScratchDir sysfs;
    const struct {
        const char* place;
        const char* vendor;   // nullptr: no such attribute
        const char* product;  // nullptr: no such attribute
    } entries[] = {
        {"1-1", "7a5c\r\n", nullptr}, {"1-2", "7A5C  \n", "0C31\t\n"}, {"1-3", nullptr, "0c31\n"},
        {"1-4", "7a5c", "0c31"},      {"1-5", "", "0c31\n"},           {"1-6", "7a5c0", "0c31"},
    };
    for (const auto& e : entries) {
        std::filesystem::create_directories(sysfs / e.place);
        if (e.vendor != nullptr) {
            sysfs.write(std::string(e.place) + "/idVendor", e.vendor);
        }
        if (e.product != nullptr) {
            sysfs.write(std::string(e.place) + "/idProduct", e.product);
        }
    }
    sysfs.write("1-2/serial", "  SN 7 \r\n");
    sysfs.write("usb1", "a file, not a device");
    std::vector<std::string> found;
    for (const UsbWriterPlace& place : SysfsUsbWriters(sysfs.path())) {
        found.push_back(place.portPath + "=" + place.serial);
    }
    EXPECT_EQ(found, (std::vector<std::string>{"1-2=  SN 7", "1-4="}));
    EXPECT_TRUE(SysfsUsbWriters(sysfs / "absent").empty());
    EXPECT_TRUE(PipeInterfaceNames(sysfs / "absent").empty());
}

TEST(WriterListingOdds, AnInterfaceNamedOnlyByTheClassKeepsItsWholeName) {
    const std::string bare = "#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}";
    const auto writers = ListWriters({{}, {bare}, false});
    ASSERT_EQ(writers.size(), 1u);
    EXPECT_EQ(writers[0].id, "pipe:" + bare);
    EXPECT_EQ(WriterIdList(writers), "pipe:" + bare);
    EXPECT_EQ(WriterIdList({}), "none");
    const auto mixed = ListWriters({{{"1-1", ""}, {"1-2", "S"}}, {"w"}, true});
    EXPECT_EQ(WriterIdList(mixed), "usb:1-1, usb-serial:S, pipe:w, library");
    // Scripts tell the kinds apart by the start of the ID.
    for (const WriterListing& writer : mixed) {
        EXPECT_TRUE(writer.id.starts_with(KindName(writer.kind))) << writer.id;
    }
}

}  // namespace
}  // namespace vexlor::test
