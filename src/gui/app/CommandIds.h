#pragma once

namespace vexlor::gui {

// The main menu's commands under their resource numbers, the ids field reports and the command
// dispatch know them by.
enum CommandId : int {
    kLoadFile = 32771,
    kSaveAs = 57604,
    kExportSetting = 32814,
    kExit = 32772,
    kDevice = 32773,
    kUpdateFirmware = 32775,
    kSerialNumberProgram = 32780,
    kCompareFile = 32781,
    kSetProtect = 32782,
    kReadChipInfo = 32784,
    kUserManual = 32810,
    kCheckNewVersion = 57609,
    kReadHardwareId = 32808,
    kReadSerialInfo = 32821,
    kResetWriterFirmware = 32820,
    kWriterSimpleTest = 32812,
    kUpdateChip = 32797,
    kAbout = 32777,
};

}  // namespace vexlor::gui
