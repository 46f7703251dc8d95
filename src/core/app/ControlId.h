#pragma once

namespace vexlor {

// The main window's controls under their resource numbers, the ids field reports know them by;
// they name the controls in the rules and in the command dispatch, and the window maps each to
// its widget.
enum class ControlId : int {
    Auto = 1016,
    BlankCheck = 1017,
    Program = 1018,
    Verify = 1019,
    Read = 1061,
    WriterTest = 1062,
    SmartOption = 1033,
    FilePath = 1014,
    ChipName = 1012,
    Log = 1021,
    FuseGroup = 1006,
    Unprotect = 1036,
    Protect = 1007,
    FastMode = 1008,
    DualMode = 1037,
    Clock32kDisable = 1028,
    Clock32kEnable = 1038,
    ChecksumLabel = 1009,
    Checksum = 1010,
    EraseModeLabel = 1106,
    IspModeLabel = 1105,
    JobModeLabel = 1104,
    PinPlacement = 1099,
    PinPicture = 1111,
};

}  // namespace vexlor
