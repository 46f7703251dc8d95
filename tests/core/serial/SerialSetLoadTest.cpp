#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "JobRig.h"
#include "core/serial/SerialBlock.h"
#include "core/serial/SerialCommands.h"
#include "core/serial/SerialSetModel.h"

namespace vexlor::test {
namespace {

// The Set dialog over the simulated writer, with a chip selected and the delivered serial.txt.
class SerialSetLoad : public ::testing::Test {
  protected:
    void choose(const std::string& chip) { rig.selectChip(chip); }
    // Opens for editing and types the four fields as the operator would.
    SerialSetModel& typeRun(const std::string& length, const std::string& address,
                            const std::string& first, const std::string& amount,
                            SerialSetOptions options = {}) {
        model.emplace(rig.context.serial, options);
        model->open();
        model->lengthEdited(length, rig.op);
        model->startAddressEdited(address);
        model->firstSerialEdited(first);
        model->amountEdited(amount);
        return *model;
    }
    bool load() { return model->load(SerialLoadTargetOf(rig.context, rig.writer, rig.op)); }
    Bytes block() { return rig.file(kSerialBlockFile); }
    JobRig rig;
    std::optional<SerialSetModel> model;
};

TEST_F(SerialSetLoad, LastNumberMayFillTheLengthButNotPassIt) {
    choose("QN3244");
    typeRun("2", "0010", "ffff", "1");
    ASSERT_TRUE(load());
    const SerialRunState& state = rig.context.serial;
    EXPECT_EQ(state.endSerial, "FFFF");
    EXPECT_EQ(state.amountText, "1");
    EXPECT_EQ(std::vector(state.endImage.end() - 3, state.endImage.end()), (Bytes{1, 0, 0}));
    EXPECT_EQ(std::vector(state.startImage.end() - 3, state.startImage.end()),
              (Bytes{0, 0xFF, 0xFF}));
    typeRun("2", "0010", "ffff", "2");
    EXPECT_FALSE(load());
    EXPECT_EQ(rig.op.last().text, "End Serial Number > SN Length");
    EXPECT_EQ(rig.context.serial.endSerial, "10000");
}

TEST_F(SerialSetLoad, BlockAddressesOfWordAndByteChips) {
    const struct {
        const char* chip;
        const char* address;
        Bytes addressBytes;
        std::uint32_t endAddress;
    } cases[] = {{"QR68K39M", "1FFD", {0x1F, 0xFD, 0x1F, 0xFF}, 0x2000},
                 {"QR31N4365", "1FE2", {0x1F, 0xE2, 0x1F, 0xE6}, 0x1FE5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chip);
        choose(c.chip);
        typeRun("4", c.address, "00000001", "10");
        ASSERT_TRUE(load());
        const Bytes written = block();
        EXPECT_EQ(Bytes(written.begin() + 0x37, written.begin() + 0x3B), c.addressBytes);
        EXPECT_EQ(rig.context.serial.endAddress, c.endAddress);
    }
}

TEST_F(SerialSetLoad, StandAloneLoadChangesOnlyTheRunBytesAndReachesTheWriter) {
    choose("QR31N4365");
    const Bytes before = block();
    typeRun("4", "1FE2", "12345678", "5");
    ASSERT_TRUE(load());
    const Bytes after = block();
    ASSERT_EQ(after.size(), 256u);
    Bytes expected = before;
    std::fill(expected.begin() + 0x60, expected.begin() + 0x80, 0);
    // Mode and length, start and end address, no ISP, end and first number, model code.
    for (const auto& [offset, bytes] : {std::pair<std::size_t, Bytes>{0x35, {0x10, 4}},
                                        {0x37, {0x1F, 0xE2, 0x1F, 0xE6}},
                                        {0x4C, {0}},
                                        {0x6C, {0x12, 0x34, 0x56, 0x7D}},
                                        {0x7C, {0x12, 0x34, 0x56, 0x78}},
                                        {0xCF, {0x5A}}}) {
        std::copy(bytes.begin(), bytes.end(), expected.begin() + offset);
    }
    EXPECT_EQ(after, expected);
    EXPECT_TRUE(rig.context.serial.loadedToWriter);
    EXPECT_EQ(rig.context.serial.endSerial, "1234567C");
    EXPECT_TRUE(std::equal(after.begin(), after.end(), rig.device.optionArea().begin()));
    EXPECT_EQ(rig.clock.waits().back(), 1500u);
}

TEST_F(SerialSetLoad, WithDataLoadMarksIspAndSendsNothing) {
    choose("QR31N4365");
    rig.device.clearTranscript();
    typeRun("4", "1FE2", "1", "1", {.withData = true, .exhvIsp = false, .isp = true});
    ASSERT_TRUE(load());
    EXPECT_EQ(std::tuple(block()[0x35], block()[0x4C]), std::tuple(0x20, 1));
    EXPECT_TRUE(rig.device.transcript().empty());
    EXPECT_FALSE(rig.context.serial.loadedToWriter);
}

TEST_F(SerialSetLoad, RefusalsLeaveTheBlockAndTheDialogOpen) {
    choose("QR31N4365");
    rig.device.clearTranscript();
    const Bytes before = block();
    const auto check = [&](const char* length, const char* address, const char* first,
                           const char* amount, const char* message) {
        typeRun(length, address, first, amount);
        EXPECT_FALSE(load()) << message;
        EXPECT_EQ(rig.op.last().text, message);
    };
    check("4", "1FE2", "1", "0", "Please Keyin 'S/N Amount'. ( >= 1 )");
    check("4", "1FE3", "1", "1", "S/N Start Address, Please Enter an even data");
    check("4", "1FE0", "1", "1", "S/N Start Address Error (defined=>1fe2h)");
    check("4", "1FE2", "12x", "1", "Start Serial NO must be a hexadecimal number");
    check("4", "1FE2", "1", "z", "S/N Amount must be a hexadecimal number");
    check("0", "1FE2", "1", "1", "'Input Serial Number Length Error");
    EXPECT_EQ(block(), before);
    EXPECT_FALSE(rig.areaWritten());
}

TEST_F(SerialSetLoad, MissingBlockFileIsLeftAloneAndNothingIsSent) {
    choose("QR31N4365");
    std::filesystem::remove(rig.base / kSerialBlockFile);
    rig.context.serial.loadedToWriter = true;
    typeRun("4", "1FE2", "1", "3");
    rig.device.clearTranscript();
    EXPECT_TRUE(load());
    EXPECT_FALSE(std::filesystem::exists(rig.base / kSerialBlockFile));
    EXPECT_TRUE(rig.context.serial.loadedToWriter);
    EXPECT_FALSE(rig.areaWritten());
}

TEST_F(SerialSetLoad, ABlockFileThatCannotBeReplacedKeepsThePreviousRun) {
    choose("QR31N4365");
    const Bytes before = block();
    std::filesystem::create_directories(rig.base / (std::string(kSerialBlockFile) + ".new"));
    typeRun("4", "1FE2", "1", "3");
    EXPECT_FALSE(load());
    EXPECT_EQ(rig.op.last().text, (rig.base / kSerialBlockFile).string() +
                                      " could not be written; it keeps the previous run.");
    EXPECT_EQ(block(), before);
    EXPECT_FALSE(rig.areaWritten());
}

TEST_F(SerialSetLoad, FailedReadBackLeavesTheRunNotLoaded) {
    choose("QR31N4365");
    rig.device.faults().corruptReadBack = true;
    rig.context.serial.loadedToWriter = true;
    typeRun("4", "1FE2", "1", "3");
    EXPECT_TRUE(load());
    EXPECT_FALSE(rig.context.serial.loadedToWriter);
}

TEST_F(SerialSetLoad, TypingRules) {
    model.emplace(rig.context.serial, SerialSetOptions{});
    model->open();
    SerialSetModel& set = *model;
    set.lengthEdited("3", rig.op);
    EXPECT_EQ(set.fields().firstSerial, "000000");
    set.firstSerialEdited("ABCDEF");
    set.firstSerialEdited("ABCDEF1");
    EXPECT_EQ(set.fields().firstSerial, "ABCDEF");
    EXPECT_EQ(rig.context.serial.currentSerial, "ABCDEF");
    set.lengthEdited("8", rig.op);
    set.firstSerialEdited("0123456789ABCDEF");
    set.firstSerialEdited("0123456789ABCDEF0");
    EXPECT_EQ(set.fields().firstSerial, "0123456789ABCDEF");
    const std::size_t shown = rig.op.shown.size();
    set.lengthEdited("11", rig.op);
    EXPECT_EQ(set.fields().length, "11");
    EXPECT_EQ(rig.op.shown.size(), shown + 1);
    EXPECT_EQ(rig.op.last().text, "'Input Serial Number Length Error");
    set.lengthEdited("1ff", rig.op);
    EXPECT_EQ(set.fields().length, "FF");
}

using Fields = std::array<std::string, 4>;

// First number, start address, length and amount as the dialog shows them.
Fields fieldsOf(const SerialSetModel& set) {
    const auto& f = set.fields();
    return {f.firstSerial, f.startAddress, f.length, f.amount};
}

TEST_F(SerialSetLoad, OpeningForEditResetsTheRunButShowOnlyKeepsIt) {
    SerialRunState& state = rig.context.serial;
    state.currentSerial = "1A";
    state.lengthBytes = 3;
    state.startAddress = 0x1FE2;
    state.amountText = "7";
    state.viewOnly = true;
    SerialSetModel shown(state, {});
    shown.open();
    EXPECT_FALSE(shown.editable());
    EXPECT_EQ(fieldsOf(shown), (Fields{"00001A", "1FE2", "3", "7"}));
    state.viewOnly = false;
    SerialSetModel edit(state, {});
    edit.open();
    EXPECT_EQ(fieldsOf(edit), (Fields{std::string(16, '0'), "0000", "8", "0"}));
}

}  // namespace
}  // namespace vexlor::test
