#include "gui/app/CWriterMainDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

#include "core/chipdb/OperationVisibility.h"
#include "core/packages/ChipUpdate.h"
#include "core/packages/JobPackage.h"
#include "core/serial/SerialCommands.h"
#include "gui/app/AppIcon.h"
#include "gui/app/CAboutDlg.h"
#include "gui/app/CommandIds.h"
#include "gui/app/MainMenu.h"
#include "gui/app/SimulatedWriterMenu.h"
#include "gui/app/WriterChoiceMenu.h"
#include "gui/maint/MaintCommandBindings.h"
#include "gui/ops/JobCommandBindings.h"
#include "gui/select/DeviceMenuCommand.h"
#include "gui/serial/SerialCommandBindings.h"
#include "gui/smartopt/SmartOptionCommand.h"

namespace vexlor::gui {

namespace {

constexpr int kDefaultWidth = 940;
constexpr int kDefaultHeight = 640;
// The log area and the pin picture column need this much height; the width follows from the
// controls' own minimum sizes.
constexpr int kMinimumHeight = 560;

bool isCommandControl(int id) {
    switch (static_cast<ControlId>(id)) {
        case ControlId::Auto:
        case ControlId::BlankCheck:
        case ControlId::Program:
        case ControlId::Verify:
        case ControlId::Read:
        case ControlId::WriterTest:
        case ControlId::SmartOption:
        case ControlId::PinPlacement:
            return true;
        default:
            return false;
    }
}

}  // namespace

CWriterMainDlg::CWriterMainDlg(AppContext& context, Operator& op, Clock& clock,
                               const MainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      op_(op),
      clock_(clock),
      options_(options),
      deviceNotices_([this](const DeviceEvent& event) { handleDeviceChange(event); }) {
    setObjectName("CWriterMainDlg");
    setWindowIcon(WriterIcon());
    statusBar_ = new CProgStatusBar(this);
    setStatusBar(statusBar_);
    session_ =
        std::make_unique<WriterSession>(context_, op_, *statusBar_, *this, clock, options_.session);
    statusBar_->showSimulated(session_->simulated());
    auto* surface = new QWidget(this);
    surface->setObjectName("dialogSurface");
    setCentralWidget(surface);
    controls_ = LayOutMainDlgControls(surface);
    connectControls();
    buildMenus();
    bindBuiltCommands();
    setMinimumHeight(kMinimumHeight);
    // Narrower controls than this widen the window when its layout first runs.
    resize(kDefaultWidth, kDefaultHeight);
    connect(&deviceTimer_, &QTimer::timeout, this, &CWriterMainDlg::pollDevices);
}

CWriterMainDlg::~CWriterMainDlg() = default;

void CWriterMainDlg::connectControls() {
    centralWidget()->setMouseTracking(true);
    centralWidget()->installEventFilter(this);
    controls_.picture->installEventFilter(this);
    for (auto it = controls_.byId.cbegin(); it != controls_.byId.cend(); ++it) {
        if (auto* button = qobject_cast<QPushButton*>(it.value())) {
            connect(button, &QPushButton::clicked, this, [this, id = it.key()] { runCommand(id); });
        }
    }
}

void CWriterMainDlg::buildMenus() {
    MainMenu menu = BuildMainMenu(menuBar());
    actions_ = menu.actions;
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        connect(it.value(), &QAction::triggered, this, [this, id = it.key()] { runCommand(id); });
    }
    for (QMenu* opened : menu.menus) {
        connect(opened, &QMenu::aboutToShow, this, &CWriterMainDlg::updateMenuStates);
    }
    AddWriterChoiceMenu(menuBar(), *session_,
                        [this](const DeviceEvent& event) { OnDeviceChange(event); });
    if (session_->simulated()) {
        AddSimulatedWriterMenu(menuBar(), *session_,
                               [this](const DeviceEvent& event) { OnDeviceChange(event); });
    }
}

void CWriterMainDlg::bindBuiltCommands() {
    bindCommand(kExit, [this] { OnFileExit(); });
    bindCommand(kAbout, [this] { OnAbout(); });
    bindCommand(kCheckNewVersion, [this] { OnCheckNewVersion(); });
    bindCommand(kUpdateChip, [this] {
        OnUpdateChip(op_, context_.shell.baseDirectory, std::filesystem::temp_directory_path());
    });
    bindCommand(kExportSetting, [this] { OnExportSetting(op_, context_.shell.baseDirectory); });
    bindCommand(static_cast<int>(ControlId::PinPlacement), [this] { showPinPicture(); });
    SerialCommandTable serial = MakeSerialCommands(
        context_, op_,
        {this, session_->writer(), *this, deviceNotices_, [this] { refreshPanel(); }});
    for (auto& [id, handler] : serial.commands) {
        bindCommand(id, std::move(handler));
    }
    bindCommand(kDevice,
                MakeDeviceMenuCommand(this, context_, op_,
                                      {[this] { controls_.hexView->showFile(QString()); },
                                       [this] { refreshPanel(); }, serial.openSetWithData}));
    JobCommandTable jobs =
        MakeJobCommands(context_, op_,
                        {this,
                         session_->writer(),
                         *this,
                         [this] { refreshPanel(); },
                         [this](const QString& path) { controls_.hexView->showFile(path); },
                         {context_.shell.baseDirectory, options_.programDirectory},
                         serial.afterLoad,
                         session_->diagnostics()});
    for (auto& [id, handler] : jobs.commands) {
        bindCommand(id, std::move(handler));
    }
    bindDropHandler(std::move(jobs.drop));
    for (auto& [id, handler] : MakeMaintCommands(context_, op_, session_->writer(), *this)) {
        bindCommand(id, std::move(handler));
    }
    bindCommand(static_cast<int>(ControlId::SmartOption),
                MakeSmartOptionCommand(this, context_, op_, session_->writer(), clock_,
                                       {context_.shell.baseDirectory, options_.programDirectory}));
    // Once for all bindings: a refresh walks every control of the window.
    refreshPanel();
}

void CWriterMainDlg::bindCommand(int id, Handler handler) {
    handlers_[id] = std::move(handler);
}

void CWriterMainDlg::bindDropHandler(DropHandler handler) {
    dropHandler_ = std::move(handler);
    setAcceptDrops(static_cast<bool>(dropHandler_));
}

void CWriterMainDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (dropHandler_ && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CWriterMainDlg::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
        }
    }
    if (!dropHandler_ || paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    DeviceNoticeGate::Hold downloading(deviceNotices_);
    dropHandler_(paths);
}

void CWriterMainDlg::runCommand(int id) {
    auto found = handlers_.find(id);
    if (found != handlers_.end()) {
        DeviceNoticeGate::Hold running(deviceNotices_);
        found->second();
    }
}

AttachServices CWriterMainDlg::services() {
    return {session_->writer(), context_.chips, op_, context_.messages, *this};
}

void CWriterMainDlg::OnInitDialog() {
    DeviceNoticeGate::Hold starting(deviceNotices_);
    ShellState& shell = context_.shell;
    context_.messages.LoadMultiLanguageMsgFile(shell.baseDirectory / kMessageCatalogueFile);
    if (options_.devicePollMs > 0) {
        deviceTimer_.start(options_.devicePollMs);
    }
    shell.panel.enable(ControlId::Log, false);
    shell.panel.show(ControlId::Read, false);
    shell.panel.show(ControlId::WriterTest, false);
    if (ReadOperationVisibility(op_, options_.programDirectory / kOperationVisibilityFile,
                                shell.operationVisibility)) {
        ApplyOperationVisibility(shell.operationVisibility, shell.panel);
    }
    StartWithWriter(shell, services());
    StartSerialNumbers(context_, op_);
    refreshPanel();
}

void CWriterMainDlg::OnDeviceChange(const DeviceEvent& event) {
    deviceNotices_.deliver(event);
}

void CWriterMainDlg::handleDeviceChange(const DeviceEvent& event) {
    if (event.kind == DeviceEvent::Arrival) {
        OnDeviceArrival(event.deviceName, context_.shell, services());
    } else {
        OnDeviceRemoval(event.deviceName, context_.shell, services());
    }
    refreshPanel();
}

void CWriterMainDlg::pollDevices() {
    for (const DeviceEvent& event : session_->pollDeviceEvents()) {
        OnDeviceChange(event);
    }
}

void CWriterMainDlg::ShowConnectionStatus() {
    statusBar_->showConnection(session_->connection().ShowConnectionStatus());
}

void CWriterMainDlg::refreshPanel() {
    const ShellState& shell = context_.shell;
    controls_.logArea->setCurrentWidget(
        shell.panel.hexViewShown ? static_cast<QWidget*>(controls_.hexView) : controls_.log);
    for (auto it = controls_.byId.cbegin(); it != controls_.byId.cend(); ++it) {
        const ControlState& state = shell.panel.at(static_cast<ControlId>(it.key()));
        QWidget* widget = it.value();
        bool enabled = state.enabled && (!isCommandControl(it.key()) || commandBuilt(it.key()));
        widget->setEnabled(enabled);
        // Under the hex view the log stays hidden: covered, it would still take the focus.
        const bool covered = widget == controls_.log && shell.panel.hexViewShown;
        widget->setVisible(state.visible && !covered);
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(state.checked);
        }
    }
    for (ControlId id :
         {ControlId::EraseModeLabel, ControlId::IspModeLabel, ControlId::JobModeLabel}) {
        static_cast<QLabel*>(control(id))->setText(QString::fromStdString(shell.panel.at(id).text));
    }
    controls_.chipName->setText(QString::fromStdString(shell.job.chipNameText));
    controls_.filePath->setText(QString::fromStdString(shell.job.loadedFilePath));
    controls_.checksum->setText(QString::fromStdString(shell.job.checksumText));
    setWindowTitle(QString::fromStdString(shell.titleText));

    showPinThumbnail(shell.panel.pinPicturePath);
    updateMenuStates();
}

void CWriterMainDlg::showPinThumbnail(const std::string& path) {
    QLabel* picture = controls_.picture;
    const QSize box = picture->contentsRect().size();
    if (path == picturePath_ && box == thumbnailBox_) {
        return;
    }
    picturePath_ = path;
    thumbnailBox_ = box;
    if (path.empty()) {
        // A reader without a file would still load every image plugin to look for one.
        picture->clear();
        return;
    }
    // The decoder scales while it reads: far cheaper than a full-size decode scaled after.
    QImageReader reader(QString::fromStdString(path));
    const QSize fitted = reader.size().scaled(box, Qt::KeepAspectRatio);
    QImage thumbnail;
    if (!fitted.isEmpty()) {
        reader.setScaledSize(fitted);
        thumbnail = reader.read();
    }
    if (thumbnail.isNull()) {
        picture->clear();
    } else {
        picture->setPixmap(QPixmap::fromImage(thumbnail));
    }
}

void CWriterMainDlg::disableOperationButtons() {
    DisableOperationButtons(context_.shell.panel);
    refreshPanel();
}

void CWriterMainDlg::enableOperationButtons() {
    EnableOperationButtons(context_.shell.job, context_.shell.panel);
    refreshPanel();
}

void CWriterMainDlg::updateMenuStates() {
    MenuStates rules =
        EvaluateMenuStates(context_.shell.job, context_.chips.displayInfo(),
                           context_.link.writerConnected, context_.link.optionHeader);
    const std::pair<int, bool> ruled[] = {{kLoadFile, rules.loadFile},
                                          {kSaveAs, rules.saveAs},
                                          {kExportSetting, rules.exportSetting},
                                          {kDevice, rules.device},
                                          {kUpdateFirmware, rules.updateFirmware},
                                          {kReadHardwareId, rules.readHardwareId},
                                          {kReadSerialInfo, rules.readSerialInfo},
                                          {kSerialNumberProgram, rules.serialNumberProgram},
                                          {kCompareFile, rules.compareFile},
                                          {kSetProtect, rules.setProtect},
                                          {kReadChipInfo, rules.readChipInfo}};
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        bool allowed = true;
        for (const auto& [id, on] : ruled) {
            if (id == it.key()) {
                allowed = on;
            }
        }
        it.value()->setEnabled(allowed && commandBuilt(it.key()));
    }
}

void CWriterMainDlg::closeEvent(QCloseEvent* event) {
    if (op_.ask("Are you sure to Exit ?", kDefaultCaption, MessageIcon::Question)) {
        deviceTimer_.stop();
        event->accept();
    } else {
        event->ignore();
    }
}

bool CWriterMainDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget()) {
        switch (event->type()) {
            case QEvent::MouseMove: {
                QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
                statusBar_->showMousePosition(at.x(), at.y());
                break;
            }
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                // The writer is reading its memory or taking an image: no clicks meanwhile.
                if (context_.link.busy) {
                    return true;
                }
                break;
            default:
                break;
        }
    } else if (watched == controls_.picture && event->type() == QEvent::MouseButtonPress &&
               controls_.picture->isEnabled()) {
        showPinPicture();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CWriterMainDlg::showPinPicture() {
    const QPixmap full =
        picturePath_.empty() ? QPixmap() : QPixmap(QString::fromStdString(picturePath_));
    if (full.isNull()) {
        return;
    }
    if (!pinDialog_) {
        pinDialog_ = new CPinPictureDlg(this);
    }
    pinDialog_->setPicture(full);
    pinDialog_->show();
    pinDialog_->raise();
}

void CWriterMainDlg::OnFileExit() {
    close();
}

void CWriterMainDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CWriterMainDlg::OnCheckNewVersion() {
    op_.message("This is newer version");
}

}  // namespace vexlor::gui
