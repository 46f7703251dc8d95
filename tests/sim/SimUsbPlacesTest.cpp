// The in-process bus by place, and a device kept open after its writer went away.
#include <gtest/gtest.h>

#include <set>

#include "core/writer/WriterIdentity.h"
#include "sim/SimTransports.h"

namespace vexlor::sim {
namespace {

TEST(SimUsbPlaces, TheWriterIsFoundAtItsPortWhileAttached) {
    SimWriter writer;
    SimUsbBus bus(writer);
    ASSERT_EQ(bus.writerPlaces().size(), 1u);
    const std::string port = bus.writerPlaces()[0].portPath;
    EXPECT_EQ(port, kSimUsbPortPath);
    EXPECT_EQ(bus.openAt(port + ".1"), nullptr);
    auto device = bus.openAt(port);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->setConfiguration(2), kUsbErrorInvalidParam);
    std::uint8_t byte = 0;
    EXPECT_EQ(device->bulkRead(0x02, &byte, 1), kUsbErrorInvalidParam);

    writer.detach();
    EXPECT_TRUE(bus.writerPlaces().empty());
    EXPECT_EQ(bus.openAt(port), nullptr);
    EXPECT_EQ(device->setConfiguration(1), kUsbErrorNoDevice);
    EXPECT_EQ(device->claimInterface(0), kUsbErrorNoDevice);
    // Each failure reads differently in a message.
    std::set<std::string> texts;
    for (int code : {kUsbErrorNoDevice, kUsbErrorTimeout, kUsbErrorInvalidParam, -99}) {
        texts.insert(device->errorText(code));
    }
    EXPECT_EQ(texts.size(), 4u);
}

TEST(SimUsbPlaces, TheLibraryRefusesAMissingBufferAndAClosedWriter) {
    SimWriter writer;
    SimAccessLibrary library(writer);
    std::uint8_t version[4] = {};
    ASSERT_EQ(library.open(0x5A5B, 0, 0), 0);
    EXPECT_EQ(library.receiveCommand(0x00, nullptr, 4), 0);
    library.close();
    EXPECT_EQ(library.receiveCommand(0x00, version, 4), 0);
}

}  // namespace
}  // namespace vexlor::sim
