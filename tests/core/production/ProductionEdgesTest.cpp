// Job-file values and times at the edges of what is accepted, and job files that cannot be used.
#include <gtest/gtest.h>

#include <set>

#include "core/production/BatchJob.h"
#include "core/production/BatchRun.h"
#include "core/production/UtcTime.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

const std::string kSha(64, 'a');
const std::string kHead = "chip = QRV7049\nprogram = /abs/p.hex\nsha256 = " + kSha + "\n";

std::string serialLines(const char* length, const char* address, const char* first,
                        const char* count) {
    return std::string("serial.length = ") + length + "\nserial.address = " + address +
           "\nserial.first = " + first + "\nserial.count = " + count + "\n";
}

TEST(BatchJobErrors, ValuesJustOutsideTheRulesNameTheirLine) {
    const struct {
        std::string text;
        const char* error;  // its start
    } cases[] = {
        {kHead + serialLines("2", "1G0", "1", "1"), "j:5: serial.address needs a hexadecimal"},
        {kHead + serialLines("2", "123456789", "1", "1"), "j:5: serial.address needs a hex"},
        {kHead + serialLines("2", "0", "1", "0"), "j:7: serial.count needs a number of chips"},
        {kHead + serialLines("two", "0", "1", "1"), "j:4: serial.length is 1 to 16"},
        {kHead + "limit = 1234567890123456789\n", "j:4: limit needs a number"},
        {kHead + "limit = 12a\n", "j:4: limit needs a number"},
        {kHead + "operation = program\nserial.count = 1\n", "j: serial numbers need serial.length"},
        {"program = p\nsha256 = " + kSha + "\n", "j: no chip given"},
        {"chip = A\nsha256 = " + kSha + "\n", "j: no program given"},
        {"chip = A\nprogram = p\nsha256 = " + std::string(63, 'a') + "g\n", "j:3: sha256 needs"},
    };
    for (const auto& c : cases) {
        BatchJob job;
        std::string error;
        EXPECT_FALSE(ParseBatchJob(c.text, "j", job, error)) << c.error;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
}

TEST(BatchJobErrors, AcceptedEdgeValues) {
    BatchJob job;
    std::string error;
    ASSERT_TRUE(ParseBatchJob("chip = A\nprogram = /abs/p.hex\nsha256 = " + std::string(64, 'C') +
                                  "\noperation = program+verify\nmodes = exhv-isp\n"
                                  "limit = 99999999\n",
                              "/jobs/j", job, error))
        << error;
    EXPECT_EQ(job.sha256, std::string(64, 'c'));
    EXPECT_EQ(job.program, "/abs/p.hex");
    EXPECT_EQ(job.operation, BatchOperation::ProgramVerify);
    EXPECT_EQ(job.modes, std::vector{ModeBox::ExHvIspProgram});
    EXPECT_EQ(job.limit, 99999999u);
    // Sixteen bytes of numbers, the last one using all of them.
    ASSERT_TRUE(ParseBatchJob(
        kHead + serialLines("16", "FFFFFFFF", std::string(32, 'F').c_str(), "1"), "j", job, error))
        << error;
    EXPECT_EQ(job.serial->address, 0xFFFFFFFFu);
    EXPECT_EQ(job.serial->last().ToHex(), std::string(32, 'F'));
}

TEST(BatchJobErrors, UnreadableJobOrProgramFiles) {
    ScratchDir dir;
    BatchJob job;
    std::string error;
    EXPECT_FALSE(ReadBatchJob(dir / "absent.job", job, error));
    EXPECT_EQ(error, "can't read the job file " + (dir / "absent.job").string());
    std::filesystem::create_directories(dir / "p.hex");
    dir.write("a.job", "chip = A\nprogram = p.hex\nsha256 = " + kSha + "\n");
    ASSERT_TRUE(ReadBatchJob(dir / "a.job", job, error)) << error;
    EXPECT_EQ(job.program, dir / "p.hex");
    EXPECT_FALSE(CheckBatchProgram(job, error));
    EXPECT_NE(error.find(":2: can't read the program file"), std::string::npos) << error;
}

TEST(ProductionEdges, TimesOnlyInTheLoggedForm) {
    const struct {
        const char* text;
        const char* parsed;  // nullptr: refused
    } cases[] = {
        {"2000-02-29", "2000-02-29T00:00:00Z"},
        {"1900-02-29", nullptr},
        {"2026-04-31", nullptr},
        {"2026-00-10", nullptr},
        {"2026-12-00", nullptr},
        {"2026/12/06", nullptr},
        {"20a6-12-06", nullptr},
        {"2026-12-06X08:30", nullptr},
        {"2026-12-06T08-30", nullptr},
        {"2026-12-06T8:30", nullptr},
        {"2026-12-06T08:30Z", "2026-12-06T08:30:00Z"},
        {"2026-12-06T08:30:00:00", nullptr},
        {"2026-12-06T08:30-00", nullptr},
        {"2026-12-06T23:59:60", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseUtcTimestamp(c.text),
                  c.parsed ? std::optional<std::string>(c.parsed) : std::nullopt)
            << c.text;
    }
}

TEST(ProductionEdges, EveryEndOfARunHasItsOwnText) {
    std::set<std::string> texts;
    for (BatchEnd end : {BatchEnd::Limit, BatchEnd::SerialComplete, BatchEnd::CountReached,
                         BatchEnd::NoMoreChips, BatchEnd::WriterGone, BatchEnd::LogFailed}) {
        texts.insert(BatchEndText(end));
    }
    EXPECT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts.count(""), 0u);
}

}  // namespace
}  // namespace vexlor::test
