#include <array>

#include "cli/BatchCommands.h"
#include "cli/ChipCommands.h"
#include "cli/CliCommand.h"
#include "cli/ConvertCommands.h"
#include "cli/JobCommands.h"
#include "cli/MaintCommands.h"
#include "cli/OptionCommands.h"
#include "cli/PackageCommands.h"
#include "cli/SelectCommands.h"
#include "cli/SerialCommands.h"
#include "cli/WriterInfoCommands.h"

namespace vexlor::cli {

namespace {
// Command groups add their rows here.
constexpr std::array kCommands{
    CliCommand{"devices", 0, "devices            what each transport finds", runDevices},
    CliCommand{"writers", 0, "writers            every attached writer: ID, kind, description",
               runWriters},
    CliCommand{"info", 0, "info               transport, version, firmware word, voltages",
               runInfo},
    CliCommand{"chips", 0,
               "chips [TEXT]       type / series / name of the chips whose name contains TEXT",
               runChips, 1},
    CliCommand{"chip", 1, "chip NAME          the chip's catalogue keys and IC parameters",
               runChip},
    CliCommand{"select", 1,
               "select NAME [MODE]  choose the chip and its modes; MODE: --exhv-isp --isp "
               "--display-serial --mass-production --production-limit N --whole-chip-erase",
               runSelect, 7},
    CliCommand{"job", 0, "job                the selected chip and its modes", runJob},
    CliCommand{"convert", 1,
               "convert FILE       make the writer buffer files from a program file for the "
               "selected chip",
               runConvert},
    CliCommand{"load", 1,
               "load FILE          convert, family firmware and download for the selected chip",
               runLoad},
    CliCommand{"auto", 0, "auto               blank check, program and verify the chip", runAuto},
    CliCommand{"blank", 0, "blank              blank check the chip", runBlank},
    CliCommand{"program", 0, "program            program the chip", runProgram},
    CliCommand{"verify", 0, "verify             verify the chip", runVerify},
    CliCommand{"read", 0, "read [OUT]         read the chip into readdata.otp (and OUT)", runRead,
               1},
    CliCommand{"chipinfo", 0,
               "chipinfo           read the chip's name, system configuration, checksums and ID",
               runChipInfo},
    CliCommand{"compare", 1,
               "compare FILE       whether the writer's data area holds the program file",
               runCompare},
    CliCommand{"protect", 1, "protect on|off     set the protect bits of the job in the writer",
               runProtect},
    CliCommand{"update-chip", 1,
               "update-chip PACKAGE  add the chips of an update package to the chip database",
               runUpdateChip},
    CliCommand{"export", 1,
               "export ZIP         pack the job's buffer files (see --force) into a job package",
               runExport},
    CliCommand{"import", 1, "import ZIP         download a job package into the writer", runImport},
    CliCommand{"options", 0,
               "options            each smart-option item with the setting the writer's job holds",
               runOptions},
    CliCommand{"serial", 1,
               "serial set --length N --start-address A --first HEX --amount HEX\n"
               "                     set up a serial-number run for the selected chip\n"
               "  serial run [--count N]  program chips of the run, one per Enter or N\n"
               "  serial info        the serial-number run the writer holds",
               runSerial, 8},
    CliCommand{"run", 1,
               "run JOB [--count N]  program chip after chip as the job file says, each logged\n"
               "                     (N: stop this start after N chips)",
               runBatch, 2},
    CliCommand{"log", 2,
               "log export --csv [--since T] [-o FILE]  the production log as CSV (T: UTC date\n"
               "                     or date-time)",
               runLog, 4},
    CliCommand{"fw-update", 1,
               "fw-update FILE     write a writer firmware image (.nce) into the writer",
               runFirmwareUpdate},
    CliCommand{"fw-reset", 0,
               "fw-reset           put the base firmware and default option buffer back (asks)",
               runFirmwareReset},
    CliCommand{"selftest", 0,
               "selftest [--simple]  Writer Test, or Writer Simple Test, with its log (asks)",
               runSelfTest, 1},
    CliCommand{"hwid", 0, "hwid               the writer's model and hardware number",
               runHardwareId},
};
}  // namespace

std::span<const CliCommand> commandTable() {
    return kCommands;
}

const CliCommand* findCommand(std::string_view name) {
    for (const CliCommand& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace vexlor::cli
