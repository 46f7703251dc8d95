#include "gui/app/CWriterMainDlg.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "core/app/WriterAttach.h"
#include "core/chipdb/OperationVisibility.h"
#include "gui/app/AppIcon.h"
#include "gui/app/CAboutDlg.h"
#include "gui/app/CommandIds.h"
#include "gui/ops/JobCommandBindings.h"
#include "gui/select/DeviceMenuCommand.h"

namespace vexlor::gui {

namespace {

constexpr int kDefaultWidth = 940;
constexpr int kDefaultHeight = 640;
// The log area and the pin picture column need this much height; the width follows from the
// controls' own minimum sizes.
constexpr int kMinimumHeight = 560;
constexpr int kPictureWidth = 244;
constexpr int kPictureHeight = 180;

struct MenuItem {
    int id;
    const char* text;
    const char* name;
};

constexpr MenuItem kFileMenu[] = {{kLoadFile, "Load File", "menuLoadFile"},
                                  {kSaveAs, "Save As...", "menuSaveAs"},
                                  {kExportSetting, "Export Setting", "menuExportSetting"},
                                  {0, nullptr, nullptr},
                                  {kExit, "Exit", "menuExit"}};
constexpr MenuItem kOperationMenu[] = {
    {kUpdateFirmware, "Update F/W", "menuUpdateFirmware"},
    {kSerialNumberProgram, "Serial Number Program", "menuSerialNumberProgram"},
    {kCompareFile, "Compare File", "menuCompareFile"},
    {kSetProtect, "Set Protect", "menuSetProtect"},
    {kReadChipInfo, "Read Chip Info", "menuReadChipInfo"}};
constexpr MenuItem kHelpMenu[] = {
    {kUserManual, "User Manual", "menuUserManual"},
    {kCheckNewVersion, "Check New Version", "menuCheckNewVersion"},
    {kReadHardwareId, "Read Hardware ID", "menuReadHardwareId"},
    {kReadSerialInfo, "Read S/N Info", "menuReadSerialInfo"},
    {kResetWriterFirmware, "Reset Writer F/W", "menuResetWriterFirmware"},
    {kWriterSimpleTest, "Writer Simple Test", "menuWriterSimpleTest"},
    {kUpdateChip, "Update Chip", "menuUpdateChip"}};

struct SimulatedVersion {
    const char* label;
    const char* text;
};
constexpr SimulatedVersion kSimulatedVersions[] = {
    {"V1.0", "USB STANDALONE WRITER_V1.0"},
    {"V1.1", "USB STANDALONE WRITER_V1.1"},
    {"V2.0", "USB STANDALONE WRITER_V2.0"},
    {"Unknown version", "USB STANDALONE WRITER_V9.9"}};

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

QLabel* modeLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet("color: #0b4f9c; font-weight: bold;");
    return label;
}

QLineEdit* readOnlyEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

CWriterMainDlg::CWriterMainDlg(AppContext& context, Operator& op, Clock& clock,
                               const MainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), context_(context), op_(op), options_(options) {
    setObjectName("CWriterMainDlg");
    setWindowIcon(WriterIcon());
    statusBar_ = new CProgStatusBar(this);
    setStatusBar(statusBar_);
    session_ =
        std::make_unique<WriterSession>(context_, op_, *statusBar_, *this, clock, options_.session);
    statusBar_->showSimulated(session_->simulated());
    buildControls();
    buildMenu();
    bindBuiltCommands();
    setMinimumHeight(kMinimumHeight);
    resize(kDefaultWidth, kDefaultHeight);
    connect(&deviceTimer_, &QTimer::timeout, this, &CWriterMainDlg::pollDevices);
}

CWriterMainDlg::~CWriterMainDlg() = default;

QPushButton* CWriterMainDlg::addButton(ControlId id, const char* text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    controls_.insert(static_cast<int>(id), button);
    connect(button, &QPushButton::clicked, this, [this, id] { runCommand(static_cast<int>(id)); });
    return button;
}

QCheckBox* CWriterMainDlg::addFuseBox(ControlId id, const char* text, const char* name) {
    auto* box = new QCheckBox(text);
    box->setObjectName(name);
    // The boxes show the job's option bits; they are changed through Set Protect and Load File.
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    controls_.insert(static_cast<int>(id), box);
    return box;
}

void CWriterMainDlg::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName("dialogSurface");
    central->setMouseTracking(true);
    central->installEventFilter(this);
    setCentralWidget(central);

    // Operation buttons down the left side.
    auto* operations = new QVBoxLayout;
    operations->setSpacing(6);
    for (QPushButton* button : {addButton(ControlId::Auto, "Auto", "Auto"),
                                addButton(ControlId::BlankCheck, "Blank check", "BlankCheck"),
                                addButton(ControlId::Program, "Program", "Program"),
                                addButton(ControlId::Verify, "Verify", "Verify"),
                                addButton(ControlId::Read, "Read", "Read"),
                                addButton(ControlId::WriterTest, "Writer Test", "WriterTest")}) {
        button->setMinimumSize(120, 40);
        operations->addWidget(button);
    }
    operations->addStretch(1);
    QPushButton* smart = addButton(ControlId::SmartOption, "Smart Option", "SmartOption");
    smart->setMinimumSize(120, 32);
    operations->addWidget(smart);

    // The job: chip, file, checksum.
    auto* job = new QGridLayout;
    auto* chipLabel = new QLabel("Chip Name : ");
    chipLabel->setObjectName("ChipNameLabel");
    chipName_ = readOnlyEdit("ChipName", central);
    auto* fileLabel = new QLabel("File : ");
    fileLabel->setObjectName("FileLabel");
    filePath_ = readOnlyEdit("FilePath", central);
    auto* checksumLabel = new QLabel("Checksum :  ");
    checksumLabel->setObjectName("ChecksumLabel");
    checksum_ = readOnlyEdit("Checksum", central);
    checksum_->setFixedWidth(80);
    chipName_->setMinimumWidth(160);
    checksum_->setAlignment(Qt::AlignCenter);
    QFont mono = checksum_->font();
    mono.setBold(true);
    checksum_->setFont(mono);
    controls_.insert(static_cast<int>(ControlId::ChipName), chipName_);
    controls_.insert(static_cast<int>(ControlId::FilePath), filePath_);
    controls_.insert(static_cast<int>(ControlId::ChecksumLabel), checksumLabel);
    controls_.insert(static_cast<int>(ControlId::Checksum), checksum_);
    job->addWidget(chipLabel, 0, 0);
    job->addWidget(chipName_, 0, 1);
    job->addWidget(checksumLabel, 0, 2);
    job->addWidget(checksum_, 0, 3);
    job->addWidget(fileLabel, 1, 0);
    job->addWidget(filePath_, 1, 1, 1, 3);
    job->setColumnStretch(1, 1);

    // The log, covered by the hex view.
    log_ = new QPlainTextEdit(central);
    log_->setObjectName("Log");
    log_->setReadOnly(true);
    QFont logFont("Times New Roman");
    logFont.setPixelSize(15);
    logFont.setWeight(QFont::Normal);
    log_->setFont(logFont);
    controls_.insert(static_cast<int>(ControlId::Log), log_);
    logArea_ = new QStackedWidget(central);
    logArea_->setObjectName("LogArea");
    logArea_->addWidget(log_);
    hexView_ = new CMiniHexEditView(logArea_, static_cast<int>(ControlId::Log));
    hexView_->setObjectName("HexView");
    HexViewOptions hexOptions;
    hexOptions.wideAddress = true;  // chip data reaches past 0xFFFF
    hexView_->setOptions(hexOptions);
    logArea_->addWidget(hexView_);

    auto* middle = new QVBoxLayout;
    middle->addLayout(job);
    middle->addWidget(logArea_, 1);

    // The fuse group, mode labels and pin picture down the right side.
    auto* fuse = new QGroupBox("Fuse", central);
    fuse->setObjectName("Fuse");
    controls_.insert(static_cast<int>(ControlId::FuseGroup), fuse);
    auto* fuseGrid = new QGridLayout(fuse);
    fuseGrid->addWidget(addFuseBox(ControlId::Unprotect, "Unprotect", "Unprotect"), 0, 0);
    fuseGrid->addWidget(addFuseBox(ControlId::Protect, "Protect", "Protect"), 0, 1);
    fuseGrid->addWidget(addFuseBox(ControlId::FastMode, "Fast mode", "FastMode"), 1, 0);
    fuseGrid->addWidget(addFuseBox(ControlId::DualMode, "Dual mode", "DualMode"), 1, 1);
    fuseGrid->addWidget(addFuseBox(ControlId::Clock32kDisable, "32KHz disable", "Clock32kDisable"),
                        2, 0);
    fuseGrid->addWidget(addFuseBox(ControlId::Clock32kEnable, "32KHz enable", "Clock32kEnable"), 2,
                        1);

    auto* modes = new QVBoxLayout;
    for (auto [id, name] : {std::pair{ControlId::EraseModeLabel, "EraseModeLabel"},
                            std::pair{ControlId::IspModeLabel, "IspModeLabel"},
                            std::pair{ControlId::JobModeLabel, "JobModeLabel"}}) {
        QLabel* label = modeLabel(name, central);
        controls_.insert(static_cast<int>(id), label);
        modes->addWidget(label);
    }

    QPushButton* pinButton =
        addButton(ControlId::PinPlacement, "Program Pin Placement", "ProgramPinPlacement");
    picture_ = new QLabel(central);
    picture_->setObjectName("PinPicture");
    picture_->setMinimumWidth(kPictureWidth);
    picture_->setFixedHeight(kPictureHeight);
    picture_->setFrameShape(QFrame::StyledPanel);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setStyleSheet("background: white;");
    picture_->setCursor(Qt::PointingHandCursor);
    picture_->installEventFilter(this);
    controls_.insert(static_cast<int>(ControlId::PinPicture), picture_);

    auto* right = new QVBoxLayout;
    right->addWidget(fuse);
    right->addSpacing(6);
    right->addLayout(modes);
    right->addStretch(1);
    right->addWidget(pinButton);
    right->addWidget(picture_);

    auto* rightPanel = new QWidget(central);
    rightPanel->setObjectName("RightPanel");
    rightPanel->setLayout(right);
    rightPanel->setFixedWidth(kPictureWidth + 12);
    right->setContentsMargins(0, 0, 0, 0);

    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(10, 10, 10, 6);
    layout->setSpacing(10);
    layout->addLayout(operations);
    layout->addLayout(middle, 1);
    layout->addWidget(rightPanel);
}

void CWriterMainDlg::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("menu131");
    auto addItems = [this](QMenu* menu, auto& items) {
        for (const MenuItem& item : items) {
            if (!item.text) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.text);
            action->setObjectName(item.name);
            actions_.insert(item.id, action);
            connect(action, &QAction::triggered, this, [this, id = item.id] { runCommand(id); });
        }
        connect(menu, &QMenu::aboutToShow, this, &CWriterMainDlg::updateMenuStates);
    };
    auto addTopAction = [this, bar](int id, const char* text, const char* name) {
        QAction* action = bar->addAction(text);
        action->setObjectName(name);
        actions_.insert(id, action);
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    };

    QMenu* file = bar->addMenu("File");
    file->setObjectName("menuFile");
    addItems(file, kFileMenu);
    addTopAction(kDevice, "Device", "menuDevice");
    QMenu* operation = bar->addMenu("Operation");
    operation->setObjectName("menuOperation");
    addItems(operation, kOperationMenu);
    QMenu* help = bar->addMenu("Help");
    help->setObjectName("menuHelp");
    addItems(help, kHelpMenu);
    addTopAction(kAbout, "About", "menuAbout");
    if (session_->simulated()) {
        buildSimulatedWriterMenu();
    }
}

void CWriterMainDlg::buildSimulatedWriterMenu() {
    QMenu* menu = menuBar()->addMenu("Simulated writer");
    menu->setObjectName("menuSimulatedWriter");
    QAction* attach = menu->addAction("Attach");
    attach->setObjectName("simAttach");
    QAction* remove = menu->addAction("Remove");
    remove->setObjectName("simRemove");
    connect(attach, &QAction::triggered, this,
            [this] { OnDeviceChange(session_->attachSimulated()); });
    connect(remove, &QAction::triggered, this,
            [this] { OnDeviceChange(session_->removeSimulated()); });
    menu->addSeparator();

    QMenu* versions = menu->addMenu("Version at next attach");
    versions->setObjectName("simVersionMenu");
    auto* group = new QActionGroup(versions);
    for (const SimulatedVersion& version : kSimulatedVersions) {
        QAction* choice = versions->addAction(version.label);
        choice->setObjectName(QString("simVersion_%1").arg(version.label).remove(' '));
        choice->setCheckable(true);
        choice->setChecked(session_->simulatedVersion() == version.text);
        group->addAction(choice);
        connect(choice, &QAction::triggered, this,
                [this, text = version.text] { session_->setSimulatedVersion(text); });
    }
    QAction* foreign = menu->addAction("Firmware other than the base firmware");
    foreign->setObjectName("simForeignFirmware");
    foreign->setCheckable(true);
    connect(foreign, &QAction::toggled, this,
            [this](bool on) { session_->setSimulatedForeignFirmware(on); });
    QAction* voltage = menu->addAction("Voltages out of range");
    voltage->setObjectName("simVoltageFault");
    voltage->setCheckable(true);
    connect(voltage, &QAction::toggled, this,
            [this](bool on) { session_->setSimulatedVoltageFault(on); });

    connect(menu, &QMenu::aboutToShow, this, [this, attach, remove] {
        attach->setEnabled(!session_->simulatedAttached());
        remove->setEnabled(session_->simulatedAttached());
    });
}

void CWriterMainDlg::bindBuiltCommands() {
    bindCommand(kExit, [this] { OnFileExit(); });
    bindCommand(kAbout, [this] { OnAbout(); });
    bindCommand(kCheckNewVersion, [this] { OnCheckNewVersion(); });
    bindCommand(static_cast<int>(ControlId::PinPlacement), [this] { showPinPicture(); });
    bindCommand(kDevice, MakeDeviceMenuCommand(this, context_, op_,
                                               {[this] { hexView_->showFile(QString()); },
                                                [this] { refreshPanel(); }}));
    JobCommandTable jobs =
        MakeJobCommands(context_, op_,
                        {this,
                         session_->writer(),
                         *this,
                         [this] { refreshPanel(); },
                         [this](const QString& path) { hexView_->showFile(path); },
                         {context_.shell.baseDirectory, options_.programDirectory}});
    for (auto& [id, handler] : jobs.commands) {
        bindCommand(id, std::move(handler));
    }
    bindDropHandler(std::move(jobs.drop));
}

void CWriterMainDlg::bindCommand(int id, Handler handler) {
    handlers_[id] = std::move(handler);
    refreshPanel();
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
    dropHandler_(paths);
}

void CWriterMainDlg::runCommand(int id) {
    auto found = handlers_.find(id);
    if (found != handlers_.end()) {
        found->second();
    }
}

AttachServices CWriterMainDlg::services() {
    return {session_->writer(), context_.chips, op_, context_.messages, *this};
}

void CWriterMainDlg::OnInitDialog() {
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
    refreshPanel();
}

void CWriterMainDlg::OnDeviceChange(const DeviceEvent& event) {
    QScopedValueRollback running(deviceChangeRunning_, true);
    if (event.kind == DeviceEvent::Arrival) {
        OnDeviceArrival(event.deviceName, context_.shell, services());
    } else {
        OnDeviceRemoval(event.deviceName, context_.shell, services());
    }
    refreshPanel();
}

void CWriterMainDlg::pollDevices() {
    // Notices that come in meanwhile stay with their sources until the next poll.
    if (deviceChangeRunning_) {
        return;
    }
    for (const DeviceEvent& event : session_->pollDeviceEvents()) {
        OnDeviceChange(event);
    }
}

void CWriterMainDlg::ShowConnectionStatus() {
    statusBar_->showConnection(session_->connection().ShowConnectionStatus());
}

void CWriterMainDlg::refreshPanel() {
    const ShellState& shell = context_.shell;
    for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
        const ControlState& state = shell.panel.at(static_cast<ControlId>(it.key()));
        QWidget* widget = it.value();
        bool enabled = state.enabled && (!isCommandControl(it.key()) || commandBuilt(it.key()));
        widget->setEnabled(enabled);
        widget->setVisible(state.visible);
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(state.checked);
        }
    }
    for (ControlId id :
         {ControlId::EraseModeLabel, ControlId::IspModeLabel, ControlId::JobModeLabel}) {
        static_cast<QLabel*>(control(id))->setText(QString::fromStdString(shell.panel.at(id).text));
    }
    chipName_->setText(QString::fromStdString(shell.job.chipNameText));
    filePath_->setText(QString::fromStdString(shell.job.loadedFilePath));
    checksum_->setText(QString::fromStdString(shell.job.checksumText));
    setWindowTitle(QString::fromStdString(shell.titleText));
    logArea_->setCurrentWidget(shell.panel.hexViewShown ? static_cast<QWidget*>(hexView_) : log_);

    if (shell.panel.pinPicturePath != picturePath_) {
        picturePath_ = shell.panel.pinPicturePath;
        pictureBitmap_ =
            picturePath_.empty() ? QPixmap() : QPixmap(QString::fromStdString(picturePath_));
    }
    if (pictureBitmap_.isNull()) {
        picture_->clear();
    } else {
        picture_->setPixmap(pictureBitmap_.scaled(picture_->contentsRect().size(),
                                                  Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    updateMenuStates();
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
    } else if (watched == picture_ && event->type() == QEvent::MouseButtonPress &&
               picture_->isEnabled()) {
        showPinPicture();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CWriterMainDlg::showPinPicture() {
    if (pictureBitmap_.isNull()) {
        return;
    }
    if (!pinDialog_) {
        pinDialog_ = new CPinPictureDlg(this);
    }
    pinDialog_->setPicture(pictureBitmap_);
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
