#include "gui/ops/JobCommandBindings.h"

#include <QLocale>
#include <QSettings>
#include <memory>

#include "core/app/ControlId.h"
#include "core/ops/ChipInfo.h"
#include "core/ops/ChipOperations.h"
#include "core/ops/DownloadLog.h"
#include "core/ops/LoadFile.h"
#include "core/ops/SetProtect.h"
#include "gui/app/CommandIds.h"
#include "gui/ops/CCompareFileDlg.h"
#include "gui/ops/COptionSelectDlg.h"
#include "gui/ops/CReadChipInfoDlg.h"

namespace vexlor {

namespace {

class WindowJobView final : public JobView {
  public:
    explicit WindowJobView(const JobCommandWindow& window) : window_(window) {}
    void refreshPanel() override { window_.refreshPanel(); }
    void showFileInHexView(const std::filesystem::path& path) override {
        window_.showFile(QString::fromStdString(path.string()));
    }

  private:
    const JobCommandWindow& window_;
};

// Lives as long as the window's handlers that share it.
struct JobCommandState {
    JobCommandState(AppContext& context, Operator& op, JobCommandWindow w)
        : window(std::move(w)),
          view(window),
          optionSelect(window.window),
          services{context,
                   window.writer,
                   op,
                   window.buttons,
                   view,
                   optionSelect,
                   SubLanguageFromLocaleName(QLocale::system().name().toStdString()),
                   window.converterDirectories,
                   DamagedHex::AskOperator,
                   window.diagnostics} {}

    JobCommandWindow window;
    WindowJobView view;
    QtOptionSelect optionSelect;
    JobServices services;
};

void keepProgramFolder(const AppContext& context) {
    QSettings().setValue(kProgramFolderSetting,
                         QString::fromStdString(context.shell.programFolder.string()));
}

}  // namespace

JobCommandTable MakeJobCommands(AppContext& context, Operator& op, JobCommandWindow window) {
    context.shell.programFolder = QSettings().value(kProgramFolderSetting).toString().toStdString();
    auto state = std::make_shared<JobCommandState>(context, op, std::move(window));
    const auto bind = [state](JobOutcome (*command)(JobServices&)) {
        return [state, command] { command(state->services); };
    };
    JobCommandTable table;
    table.commands = {
        {gui::kLoadFile,
         [state] {
             const JobOutcome outcome = LoadFile(state->services);
             keepProgramFolder(state->services.context);
             if (outcome == JobOutcome::Ok) {
                 state->window.afterLoad();
             }
         }},
        {static_cast<int>(ControlId::Auto), bind(OnAuto)},
        {static_cast<int>(ControlId::BlankCheck), bind(OnBlankCheck)},
        {static_cast<int>(ControlId::Program), bind(OnProgram)},
        {static_cast<int>(ControlId::Verify), bind(OnVerify)},
        {static_cast<int>(ControlId::Read), bind(OnRead)},
        {gui::kSetProtect, bind(OnSetProtect)},
        {gui::kReadChipInfo,
         [state] {
             const bool supported = ChipInfoSupported(state->services.context.link.optionHeader);
             CReadChipInfoDlg(state->services, supported, state->window.window).exec();
         }},
        {gui::kCompareFile,
         [state] {
             const DownloadFileTexts texts = OnCompareFile(state->services);
             CCompareFileDlg(state->services, texts, state->window.window).exec();
         }},
    };
    table.drop = [state](const std::vector<std::string>& paths) {
        const JobOutcome outcome = OnDropFiles(state->services, paths);
        keepProgramFolder(state->services.context);
        if (outcome == JobOutcome::Ok) {
            state->window.afterLoad();
        }
    };
    return table;
}

}  // namespace vexlor
