#include "core/ops/LoadFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/app/JobRestore.h"
#include "core/base/PlainFileName.h"
#include "core/convert/BufferFiles.h"
#include "core/convert/FileFilters.h"
#include "core/convert/ProgramConversion.h"
#include "core/convert/RawImage.h"
#include "core/ops/ConversionSetup.h"
#include "core/ops/DownloadLog.h"
#include "core/ops/ImportJob.h"
#include "core/ops/OptionWord.h"
#include "core/ops/ProtectLayout.h"

namespace vexlor {

namespace {

constexpr const char* kCaption = "Message";

// Chips whose converter reports the configuration byte's protect bit.
bool showsUnprotectFlag(const ICInfo& ic) {
    return ic.ChipType == "89" || ic.ChipName == kModelConverterChip || ic.ChipName == "QR6417" ||
           ic.ChipName == "QR62J61";
}

// Option Select on the job's choices; Cancel keeps those it opened on. The choices become the
// job's and the Fuse group shows them.
OptionChoices selectOptions(JobServices& s, const std::string& chipName) {
    JobState& job = s.context.shell.job;
    const OptionChoices initial = InitialOptionChoices(chipName, job);
    OptionChoices choices = initial;
    if (!s.optionSelect.run(choices)) {
        choices = initial;
    }
    job.optionChoicesChip = chipName;
    job.optionChoices = choices;
    SetFuseBoxes(s.context.shell.panel, FuseValuesFromChoices(choices));
    s.view.refreshPanel();
    return choices;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void showLogArea(JobServices& s) {
    PanelState& panel = s.context.shell.panel;
    panel.enable(ControlId::Log, true);
    panel.show(ControlId::Log, true);
    panel.hexViewShown = false;
    s.context.shell.job.loadedFilePath.clear();
    s.view.refreshPanel();
}

void showHexViewAgain(JobServices& s) {
    s.op.setLogText("");
    s.context.shell.panel.enable(ControlId::Log, false);
    s.context.shell.panel.hexViewShown = true;
    s.view.refreshPanel();
}

// Step by step from the chosen path on; the log area is already shown.
JobOutcome loadChosenFile(JobServices& s, const std::string& path) {
    ShellState& shell = s.context.shell;
    const ICInfo& ic = s.context.chipXml.icInfo();
    shell.job.checksumText.clear();
    std::uint32_t optionWord = kInitialOptionWord;
    // What the Fuse group shows of the protect choice; the option bytes must say the same.
    std::optional<bool> protect;

    if (ic.Have_OPT == 1) {
        const OptionChoices choices = selectOptions(s, ic.ChipName);
        optionWord = OptionWordAfterSelect(ic.ChipName, optionWord, choices);
        protect = choices.protect == 1;
    }
    if (path.empty()) {
        s.op.message("File is empty.");
        showHexViewAgain(s);
        return JobOutcome::BadInput;
    }
    const std::string filter = s.context.chipXml.chipDisplayInfo().IC_FileType;
    if (const std::string problem = ProgramFileTypeProblem(filter, path); !problem.empty()) {
        s.op.message(problem, kCaption, MessageIcon::Exclamation);
        showHexViewAgain(s);
        return JobOutcome::BadInput;
    }
    s.op.setLogText(DownloadLogDisplayText(s.systemSubLanguage));
    s.view.refreshPanel();

    ConversionJob conversion = MakeConversionJob(s.context, path, optionWord);
    conversion.damagedHex = s.damagedHex;
    ConversionResult result;
    ConversionOutput out{s.op, s.diagnostics, result};
    int converted = convertProgram(conversion, out, s.converterDirectories);

    if (showsUnprotectFlag(ic) && converted == 0) {
        SetFuseBoxes(shell.panel, result.unprotect ? 1 : 0, -1, -1);
        protect = !result.unprotect;
    }
    const std::filesystem::path optionBuffer = shell.baseDirectory / kBufferOptionName;
    const std::int32_t layout = s.context.chipXml.chipDisplayInfo().SetProtectMode;
    if (converted == 0 && protect && !StampProtectChoice(optionBuffer, layout, *protect)) {
        s.op.message(openFileError(optionBuffer, "The protect choice cannot be written into it."),
                     kCaption);
        converted = kConvertOptionFile;
    }
    // A refused file leaves the writer's job in place, and the panel shows that job.
    if (converted != 0) {
        ShowWritersFuseBoxes(s.context.link.optionHeader, layout, shell);
    }
    // The operator's own file, not the image made from it in the work directory.
    shell.job.loadedFilePath = converted == 0 ? path : std::string();
    shell.job.checksumText = format("%04X", result.checksum);
    s.op.beginBusy(kLoadCursor);
    s.view.refreshPanel();

    JobOutcome outcome = converted == 0 ? JobOutcome::Ok : JobOutcome::BadInput;
    if (converted == 0) {
        const std::string& firmwareName = s.context.chipXml.chipDisplayInfo().FW_File;
        const std::filesystem::path nce = shell.baseDirectory / "firmware" / firmwareName;
        // The name comes from the catalogue; it may only name a file inside "firmware".
        if (!IsPlainFileName(firmwareName)) {
            s.op.message(format("Can't Find NceFile\n%s is not a file of the firmware folder",
                                firmwareName.c_str()));
        }
        if (!IsPlainFileName(firmwareName) || !s.writer.EnsureFamilyFirmware(nce)) {
            s.op.message("Update Firmware Fail", kCaption, MessageIcon::Stop);
            s.writer.ChangeWriterMode(kModeDone);
            s.writer.SetOperationLamp(kLampIdle);
            s.op.endBusy();
            showHexViewAgain(s);
            return JobOutcome::Failed;
        }
        if (!s.writer.DownloadBuffers()) {
            outcome = JobOutcome::Failed;
        }
        if (s.context.link.writerConnected) {
            s.writer.ReadOptionHeader(s.context.link.optionHeader);
            ShowPinPicture(PinPicturePath(shell.startDirectory, ic.Inside_Number), s.op,
                           shell.panel);
            ShowModeLabels(shell.job, shell.panel);
        }
    }
    s.op.endBusy();
    showHexViewAgain(s);
    if (converted == 0) {
        s.view.showFileInHexView(shell.baseDirectory / "buffer_data.prog");
    }
    return outcome;
}

// The file choice of Load File: the chip's own filter, then every file.
std::string programFileFilter(std::string_view chipFilter) {
    std::string filter(chipFilter.substr(0, chipFilter.find_last_not_of('|') + 1));
    if (!filter.empty()) {
        filter += '|';
    }
    return filter + "All files (*)|*||";
}

// The file is taken from here on: its folder is where the next choice opens, and the status
// line tells how the load ended.
JobOutcome loadAndReport(JobServices& s, const std::string& path) {
    if (auto folder = std::filesystem::path(path).parent_path(); !folder.empty()) {
        s.context.shell.programFolder = std::move(folder);
    }
    s.op.showStatus(kLoadingStatus);
    const JobOutcome outcome = loadChosenFile(s, path);
    switch (outcome) {
        case JobOutcome::Ok:
            s.op.showStatus(kDownloadCompleteStatus);
            break;
        case JobOutcome::Failed:
            s.op.showStatus(kDownloadFailedStatus);
            break;
        default:
            s.op.showStatus(kFileNotLoadedStatus);
            break;
    }
    return outcome;
}

}  // namespace

JobOutcome LoadFile(JobServices& s) {
    if (!s.context.shell.job.chipSelected()) {
        s.op.message("No Chip Name", kCaption, MessageIcon::Exclamation);
        return JobOutcome::Refused;
    }
    showLogArea(s);
    const std::optional<std::string> chosen =
        s.op.chooseOpenFile(programFileFilter(s.context.chipXml.chipDisplayInfo().IC_FileType),
                            s.context.shell.programFolder);
    if (!chosen) {
        showHexViewAgain(s);
        return JobOutcome::Cancelled;
    }
    return loadAndReport(s, *chosen);
}

JobOutcome LoadDroppedFile(JobServices& s, const std::string& path) {
    showLogArea(s);
    return loadAndReport(s, path);
}

std::string ExpectedDropExtension(std::string_view filter) {
    const std::size_t open = filter.find("(*.");
    const std::size_t close = filter.find(")|*.");
    if (open == std::string_view::npos || close == std::string_view::npos || close < open + 2) {
        return {};
    }
    return std::string(filter.substr(open + 2, close - open - 2));
}

std::string ProgramFileTypeProblem(std::string_view filter, const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    for (const std::string& expected : filterExtensions(filter)) {
        if (lowerCase(expected) == lowerCase(extension)) {
            return {};
        }
    }
    const std::string names = filterPatternList(filter);
    return format(
        "File format (%s) is not expected! Please recheck the file\n"
        "This chip takes %s files.",
        extension.c_str(), names.empty() ? "no program" : names.c_str());
}

JobOutcome OnDropFiles(JobServices& s, std::span<const std::string> paths) {
    if (paths.empty()) {
        return JobOutcome::Cancelled;
    }
    const std::string& path = paths.front();
    const std::string extension = std::filesystem::path(path).extension().string();
    if (lowerCase(extension) == ".zip") {
        return ImportJobPackage(s, path);
    }
    if (!s.context.shell.job.chipSelected()) {
        s.op.message("No Chip Name", kCaption, MessageIcon::Exclamation);
        return JobOutcome::Refused;
    }
    const std::string expected =
        ExpectedDropExtension(s.context.chipXml.chipDisplayInfo().IC_FileType);
    if (expected.empty() || lowerCase(extension) != expected) {
        s.op.message(
            format("File format (%s) is not expected! Please recheck the file", extension.c_str()),
            kCaption, MessageIcon::Exclamation);
        return JobOutcome::Refused;
    }
    return LoadDroppedFile(s, path);
}

}  // namespace vexlor
