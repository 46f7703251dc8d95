// Job files, their checks and the start of a serial run.
#include <gtest/gtest.h>

#include "core/production/BatchJob.h"
#include "core/production/BatchSerialStart.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

// SHA-256 of "abc" (FIPS 180-2).
constexpr const char* kAbcSha = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
const std::string kHead =
    std::string("chip = QRV7049\nprogram = p.hex\nsha256 = ") + kAbcSha + "\n";
const std::string kSerial = "serial.length = 2\nserial.address = 1F0\nserial.first = FFF0\n";

TEST(BatchJob, AFullJobFile) {
    BatchJob job;
    std::string error;
    ASSERT_TRUE(ParseBatchJob("# line\n\n" + kHead +
                                  "  protect = on \nmodes = isp whole-chip-erase\n"
                                  "limit = 12\n" +
                                  kSerial + "serial.count = 16\n",
                              "/jobs/a.job", job, error))
        << error;
    EXPECT_EQ(job.program, "/jobs/p.hex");
    EXPECT_TRUE(job.protect);
    EXPECT_EQ(job.modes, (std::vector{ModeBox::IspProgram, ModeBox::WholeChipErase}));
    EXPECT_EQ(job.limit, 12u);
    EXPECT_EQ(job.operation, BatchOperation::Program);
    ASSERT_TRUE(job.serial);
    EXPECT_EQ(job.serial->address, 0x1F0u);
    EXPECT_EQ(job.serial->last().ToHex(), "FFFF");
    EXPECT_EQ(job.where("limit"), "/jobs/a.job:8: ");
}

TEST(BatchJob, EveryFaultNamesItsLine) {
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {kHead + "colour = red\n", "j:4: unknown key colour"},
        {kHead + "chip = X\n", "j:4: chip is given twice"},
        {kHead + "protect\n", "j:4: expected key = value"},
        {kHead + "protect =\n", "j:4: protect has no value"},
        {kHead + "protect = maybe\n", "j:4: protect is on or off"},
        {kHead + "operation = erase\n", "j:4: operation is auto"},
        {kHead + "modes = isp turbo\n", "j:4: unknown mode turbo"},
        {kHead + "limit = 0\n", "j:4: limit needs a number"},
        {"chip = A\nprogram = p\nsha256 = abc\n", "j:3: sha256 needs 64"},
        {"chip = A\nprogram = p\n", "j: no sha256 given"},
        {kHead + "serial.length = 2\n", "j: serial numbers need serial.address"},
        {kHead + "serial.length = 17\nserial.address = 0\nserial.first = 1\nserial.count = 1\n",
         "j:4: serial.length is 1 to 16"},
        {kHead + kSerial + "serial.count = 17\n", "j:6: the last number 10000 does not fit"},
        {kHead + "serial.length = 2\nserial.address = 0\nserial.first = 1g\nserial.count = 1\n",
         "j:6: serial.first needs a hexadecimal"},
        {kHead + "operation = auto\n" + kSerial + "serial.count = 1\n",
         "j:4: serial numbers go with operation = program"},
    };
    for (const auto& c : cases) {
        BatchJob job;
        std::string error;
        EXPECT_FALSE(ParseBatchJob(c.text, "j", job, error)) << c.error;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
}

TEST(BatchJob, ProgramFileMustMatchItsSha256) {
    ScratchDir dir;
    dir.write("p.hex", "abc");
    BatchJob job;
    std::string error;
    ASSERT_TRUE(ParseBatchJob(kHead, dir / "j", job, error));
    EXPECT_TRUE(CheckBatchProgram(job, error)) << error;
    dir.write("p.hex", "abd");
    EXPECT_FALSE(CheckBatchProgram(job, error));
    EXPECT_NE(error.find(":3: "), std::string::npos) << error;
    std::filesystem::remove(dir / "p.hex");
    EXPECT_FALSE(CheckBatchProgram(job, error));
    EXPECT_NE(error.find(":2: can't read the program file"), std::string::npos) << error;
}

TEST(BatchSerialStart, ContinuesOnlyAnOpenRunOfTheSameJob) {
    const BatchSerial serial{2, 0, *SerialNumber::FromHex("A0"), SerialNumber::Of(20)};
    const auto open = [](std::string chip, std::string next) {
        return std::optional(OpenSerialRun{std::move(chip), {}, std::move(next)});
    };
    const struct {
        std::optional<OpenSerialRun> run;
        const char* first;  // nullptr: refused
        const char* amount;
    } cases[] = {
        {std::nullopt, "A0", "14"},
        {open("QRV7049", "A8"), "A8", "C"},
        {open("QRV7049", "B3"), "B3", "1"},
        {open("QRV7049", "B4"), nullptr, nullptr},  // all used
        {open("QRV7049", "9F"), nullptr, nullptr},
        {open("QR31N4365", "A8"), nullptr, nullptr},
    };
    for (const auto& c : cases) {
        std::string refusal;
        const auto start = PlanBatchSerialStart(serial, "QRV7049", c.run, refusal);
        ASSERT_EQ(start.has_value(), c.first != nullptr) << refusal;
        if (start) {
            EXPECT_EQ(start->first.ToHex(), c.first);
            EXPECT_EQ(start->amount.ToHex(), c.amount);
            EXPECT_EQ(start->continued, c.run.has_value());
        } else {
            EXPECT_FALSE(refusal.empty());
        }
    }
}

TEST(BatchSerialStart, ALogThatCannotBeReadRefusesTheRun) {
    ScratchDir dir;
    ProductionLog log(dir.write("log.db", std::string(4096, 'x')));
    const BatchSerial serial{2, 0, *SerialNumber::FromHex("A0"), SerialNumber::Of(20)};
    EXPECT_EQ(CheckSerialsUnused(log, "QRV7049", serial, {serial.first, serial.count, false}),
              "can't read the production log: file is not a database");
}

}  // namespace
}  // namespace vexlor::test
