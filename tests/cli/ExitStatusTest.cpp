// How each command ends on the tool's in-process simulated writer: the exit status a production
// script tells outcomes apart by, and the reason it prints. The rules behind the outcomes are
// core's; here each outcome reaches its status and its text.
#include "CliTest.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;
using ExitStatus = CliTest;
using cli::kExitBadInput, cli::kExitDifferent, cli::kExitFailed, cli::kExitJobFail,
    cli::kExitNoWriter, cli::kExitOk, cli::kExitRefused, cli::kExitUsage;

TEST_F(ExitStatus, JobsLoadsAndCompares) {
    scratch.write("prog.otp", hexText({0x12, 0x34}));
    // The second record's checksum is wrong (DC is right).
    scratch.write("damaged.hex", ":0100000011EE\n:0100010022DD\n:00000001FF\n");
    std::vector<std::uint8_t> image = qn3244Image();
    scratch.write("word.hex", hexText(image));
    image[0x20] ^= 0x01;
    scratch.write("changed.hex", hexText(image));
    const std::vector<std::string> load{"select", "QRV7049", "load", "@prog.hex"};
    const auto with = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const std::vector<std::string> loadWord{"select", "QN3244", "load", "@word.hex"};
    expectOutcomes({
        {with(load, {"program", "verify"}),
         kExitOk,
         {"Message: Loading Data Ok", "Message: Program OK", "Message: Verify OK"}},
        {with(load, {"auto"}), kExitOk, {"Message: Auto OK"}},
        {with(load, {"protect", "on"}), kExitOk, {"Message: Set Select OK"}},
        {with({"--sim-fault", "fail"}, with(load, {"program"})),
         kExitJobFail,
         {"Message: Program FAIL"}},
        // A writer that reads back other data than was sent fails the load, here already at the
        // family firmware; one that vanishes during the download is a writer gone.
        {with({"--sim-fault", "corrupt"}, load), kExitJobFail, {"Update Firmware Fail"}},
        {with({"--sim-fault", "remove-after=145000"}, load), kExitNoWriter, {"Loading Data Fail"}},
        // The writer vanishes once loaded: during the chip-name check, then inside the job.
        {with({"--sim-fault", "remove-after=203500"}, with(load, {"program"})),
         kExitNoWriter,
         {"no writer (it stopped answering)"}},
        {with({"--sim-fault", "remove-after=204200"}, with(load, {"program"})),
         kExitNoWriter,
         {"Message: Program FAIL", "no writer (it stopped answering)"}},
        {{"select", "QRV7049", "program"}, kExitRefused, {"HW and SW Chip Name is discordant"}},
        {{"program"}, kExitRefused, {"no chip selected"}},
        {{"chipinfo"}, kExitRefused, {"no chip selected"}},
        {{"select", "QRV7049", "load", "@missing.hex"}, kExitBadInput, {"no program file"}},
        {{"select", "QRV7049", "protect", "maybe"}, kExitBadInput, {"on or off"}},
        {{"select", "QRV7049", "load", "@damaged.hex"},
         kExitBadInput,
         {"line 2: the record checksum is DD"}},
        {{"--yes", "select", "QRV7049", "load", "@damaged.hex"},
         kExitBadInput,
         {"line 2: the record checksum"}},
        {{"--force-hex", "select", "QRV7049", "load", "@damaged.hex"},
         kExitOk,
         {"Message: Loading Data Ok"}},
        {{"select", "QRV7049", "load", "@prog.otp"},
         kExitBadInput,
         {"File format (.otp) is not expected!"}},
        {with(loadWord, {"compare", "@word.hex"}), kExitOk, {"Compare Result : OK"}},
        {with(loadWord, {"compare", "@changed.hex"}), kExitDifferent, {"Compare Result : Fail"}},
        {with(loadWord, {"compare", "@missing.hex"}), kExitBadInput, {"no program file"}},
        {with(loadWord, {"program", "chipinfo"}), kExitOk, {"ID : 5503"}},
    });
    EXPECT_EQ(run({"select", "QRV7049", "program"}, false).status, kExitNoWriter);
}

TEST_F(ExitStatus, SerialMaintenanceAndConvert) {
    for (const char* testFile : {"test_data.prog", "teststop.nce", "test.nce"}) {
        fs::create_symlink(builtBaseDir() / testFile, scratch / testFile);
    }
    scratch.write("notes.nce", "not a firmware image");
    scratch.write("broken.hex", "; not a record\n");
    const std::string selfTest = "DAC_BAK Voltage\t\t\t\t Fail \n";
    expectOutcomes({
        {{"select", "QRV7049", "serial", "set", "--length", "4"},
         kExitBadInput,
         {"serial set needs --start"}},
        {{"select", "QRV7049", "serial", "set", "--colour", "4"},
         kExitBadInput,
         {"unknown serial option"}},
        {{"select", "QRV7049", "serial", "run", "--count", "0"},
         kExitBadInput,
         {"--count needs a number"}},
        {{"select", "QRV7049", "serial", "frob"}, kExitBadInput, {"serial takes set, run or info"}},
        {{"select", "QRV7049", "serial", "set", "--length", "2", "--start-address", "0", "--first",
          "12345", "--amount", "1"},
         kExitBadInput,
         {"--first has more digits"}},
        {{"--sim-version", "V1.1", "--sim-fault", "voltage-above-high", "--yes", "selftest",
          "--simple"},
         kExitJobFail,
         {selfTest, "Message: Writer Test Complete"}},
        {{"selftest"}, kExitRefused, {"give --yes"}},
        {{"fw-update", "@notes.nce"},
         kExitBadInput,
         {(scratch / "notes.nce").string() + " open file error"}},
        {{"hwid"}, kExitJobFail, {"Hardware ID: Writer No Hardware ID"}},
        {{"convert", "@broken.hex"}, kExitFailed, {"convert: no chip selected"}},
        {{"select", "QRV7049", "convert", "@broken.hex"},
         kExitFailed,
         {"conversion failed (result 1)", "\nresult 1\n"}},
        {{"--option-word", "6x", "select", "QRV7049"}, kExitUsage, {"bad option word 6x"}},
    });
}

// The held job names the chip and its option word; the options command decodes that word.
TEST_F(ExitStatus, OptionsPrintEachItemWithTheSettingTheHeldJobSelects) {
    // The decoder writes beside the encoded files, so they are copied, not linked.
    fs::copy(builtBaseDir() / "tin", scratch / "tin", fs::copy_options::recursive);
    fs::create_symlink(builtBaseDir() / "xmldec", scratch / "xmldec");
    const auto held = [this](const std::string& chip, std::uint16_t word) {
        std::vector<std::uint8_t> job(512, 0);
        std::copy(chip.begin(), chip.end(), job.begin());
        job[36] = static_cast<std::uint8_t>(word >> 8);
        job[37] = static_cast<std::uint8_t>(word);
        const std::string name = chip + ".job";
        scratch.writeBytes(name, job);
        return std::vector<std::string>{"--sim-job", "@" + name, "select"};
    };
    const auto options = [](std::vector<std::string> words, const std::string& chip) {
        words.insert(words.end(), {chip, "options"});
        return words;
    };
    expectOutcomes({
        {options(held("QN3244", 0x0061), "QN3244"),
         kExitOk,
         {"[ System config : 0061 ]", "02. Start-up Time : 18ms\n"}},
        {options(held("QU2201", 0x0005), "QU2201"), kExitOk, {"01. USB Clock : Crystal 12MHz\n"}},
        {options(held("QN6223", 0), "QN3244"), kExitRefused, {"HW and SW Chip Name is discordant"}},
        {options(held("QRV7049", 0), "QRV7049"), kExitRefused, {"QRV7049 has no smart options"}},
    });
    EXPECT_FALSE(fs::exists(scratch / "tin" / "QR46IC" / "QU2201_Dec.ic"));
}

}  // namespace
}  // namespace vexlor::test
