// Writer faults in the middle of Load File and Program on the simulated writer: each ends in
// the operation's failure message and leaves the job's files on disk as they were.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "JobRig.h"
#include "core/ops/ChipOperations.h"
#include "core/ops/LoadFile.h"
#include "support/HexText.h"

namespace vexlor::test {
namespace {

using Texts = std::vector<std::string>;

const Bytes kProgram{0x12, 0x34, 0x56, 0x78, 0x9A};
const char* const kJobFiles[] = {"buffer_data.prog", "buffer_option.prog", "serial.txt",
                                 "vexlor-writer.db"};
constexpr std::size_t kConversionTimeBegin = 0xC0;
constexpr std::size_t kConversionTimeEnd = 0xD0;
const char* const kLoadFailed = "Loading Data Fail. Please load the file again.";

enum class Operation { Load, Program, Read };

// Applies fault to the writer when the which-th area (from 1) is opened, and lifts the read-back
// corruption at the next open.
void OnAreaOpen(JobRig& rig, int which, std::function<void(sim::SimFaults&)> fault) {
    rig.device.setCommandObserver([&rig, which, fault,
                                   opened = 0](const sim::TranscriptEntry& e) mutable {
        if (e.command == cmd::kOpenArea && e.payload.size() == 2 && e.payload[1] == kAreaOpenTag) {
            rig.device.faults().corruptReadBack = false;
            if (++opened == which) {
                fault(rig.device.faults());
            }
        }
    });
}

struct FaultCase {
    const char* name;
    Operation operation;
    std::function<void(JobRig&)> inject;
    Texts lastMessages;
    const char* status;
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

class WriterFaultTest : public ::testing::TestWithParam<FaultCase> {
  protected:
    // A job loaded once without fault, a serial block on disk and a run in the journal.
    void SetUp() override {
        rig.selectChip("QRV7049");
        rig.context.chipXml.icInfo().Have_OPT = 0;
        rig.base.writeBytes("serial.txt", Bytes(0x80, 0x5A));
        ASSERT_TRUE(rig.context.serialJournal.beginRun("QRV7049"));
        ASSERT_EQ(load(), JobOutcome::Ok);
        before = jobFiles();
        ASSERT_EQ(before.size(), std::size(kJobFiles));
        rig.op.shown.clear();
    }
    JobOutcome load() { return LoadDroppedFile(services, hex); }
    // Each load stamps the time of its conversion into the option file; the rest must match.
    std::map<std::string, Bytes> jobFiles() {
        std::map<std::string, Bytes> files;
        for (const char* name : kJobFiles) {
            if (std::filesystem::exists(rig.base / name)) {
                files[name] = rig.file(name);
            }
        }
        if (auto option = files.find("buffer_option.prog");
            option != files.end() && option->second.size() >= kConversionTimeEnd) {
            std::fill(option->second.begin() + kConversionTimeBegin,
                      option->second.begin() + kConversionTimeEnd, 0);
        }
        return files;
    }

    JobRig rig;
    JobServices services = rig.services();
    std::string hex = rig.writeHex("prog.hex", hexText(kProgram)).string();
    std::map<std::string, Bytes> before;
};

TEST_P(WriterFaultTest, EndsInTheFailureMessageWithTheJobFilesIntact) {
    const FaultCase& c = GetParam();
    c.inject(rig);
    const JobOutcome outcome = c.operation == Operation::Load      ? load()
                               : c.operation == Operation::Program ? OnProgram(services)
                                                                   : OnRead(services);
    EXPECT_EQ(outcome, JobOutcome::Failed);
    const Texts texts = rig.op.texts();
    ASSERT_GE(texts.size(), c.lastMessages.size()) << testing::PrintToString(texts);
    EXPECT_EQ(Texts(texts.end() - static_cast<std::ptrdiff_t>(c.lastMessages.size()), texts.end()),
              c.lastMessages);
    EXPECT_EQ(rig.op.statuses.back(), c.status);
    const auto after = jobFiles();
    for (const char* name : kJobFiles) {
        EXPECT_TRUE(after.at(name) == before.at(name)) << name << " changed";
    }
}

const FaultCase kFaults[] = {
    {"removed_during_firmware_image",
     Operation::Load,
     [](JobRig& r) {
         r.context.link.familyFirmwareLoaded = false;
         r.device.faults().removeAfterBytes = kFirmwareImageSize / 2;
     },
     {"Update Firmware Fail"},
     "Download failed"},
    {"firmware_read_back_corrupted",
     Operation::Load,
     [](JobRig& r) {
         r.context.link.familyFirmwareLoaded = false;
         r.device.faults().corruptReadBack = true;
     },
     {"Update Firmware Fail"},
     "Download failed"},
    {"removed_during_data_download",
     Operation::Load,
     [](JobRig& r) { OnAreaOpen(r, 2, [](sim::SimFaults& f) { f.removeAfterBytes = 700; }); },
     {kLoadFailed},
     "Download failed"},
    // The first area opened takes the test option block, a best effort the option file replaces.
    {"data_read_back_corrupted",
     Operation::Load,
     [](JobRig& r) { OnAreaOpen(r, 2, [](sim::SimFaults& f) { f.corruptReadBack = true; }); },
     {kLoadFailed},
     "Download failed"},
    {"option_read_back_corrupted",
     Operation::Load,
     [](JobRig& r) { OnAreaOpen(r, 3, [](sim::SimFaults& f) { f.corruptReadBack = true; }); },
     {kLoadFailed},
     "Download failed"},
    {"status_block_never_comes",
     Operation::Load,
     [](JobRig& r) { r.device.faults().statusWithheld = true; },
     {kLoadFailed},
     "Download failed"},
    {"removed_during_job_polling",
     Operation::Program,
     [](JobRig& r) {
         r.device.setCommandObserver([&r](const sim::TranscriptEntry& e) {
             if (e.command == cmd::kJobStatus) {
                 r.device.detach();
             }
         });
     },
     {"The writer stopped answering during the job.", "Program FAIL"},
     "Program FAIL"},
    {"job_never_settles",
     Operation::Program,
     [](JobRig& r) {
         r.context.chipXml.icInfo().Program_Timeout = 1;
         r.device.faults().jobNeverSettles = true;
     },
     {"The writer did not finish the job in time.", "Program FAIL"},
     "Program FAIL"},
    {"removed_during_read",
     Operation::Read,
     [](JobRig& r) {
         r.device.setCommandObserver([&r](const sim::TranscriptEntry& e) {
             if (e.command == cmd::kStartJob) {
                 r.device.faults().removeAfterBytes = 1;
             }
         });
     },
     {"Read FAIL"},
     "Read FAIL"},
};

INSTANTIATE_TEST_SUITE_P(OnTheSimulatedWriter, WriterFaultTest, testing::ValuesIn(kFaults),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vexlor::test
