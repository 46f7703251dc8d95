#pragma once

#include <QAction>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/app/AppContext.h"
#include "core/app/DeviceNoticeGate.h"
#include "core/app/MainView.h"
#include "core/app/WriterAttach.h"
#include "core/writer/OperationButtons.h"
#include "gui/app/CPinPictureDlg.h"
#include "gui/app/CProgStatusBar.h"
#include "gui/app/MainDlgControls.h"
#include "gui/app/WriterSession.h"

namespace vexlor::gui {

struct MainWindowOptions {
    SessionOptions session;
    // Where "KLW_Read.xml" is looked for: beside the program.
    std::filesystem::path programDirectory;
    // How often device arrivals and removals are looked for.
    int devicePollMs = 300;
};

// The main window, known by its resource number as dialog 102: operation buttons, job display,
// log area, fuse group, mode labels, pin picture, the main menu and the status bar. Its
// controls render the application context's panel state; the rules that change it live in core.
// The controls are laid out in MainDlgControls.cpp, the menu in MainMenu.cpp.
class CWriterMainDlg final : public QMainWindow, public MainView, public OperationButtons {
    Q_OBJECT
  public:
    using Handler = std::function<void()>;
    using DropHandler = std::function<void(const std::vector<std::string>& paths)>;

    CWriterMainDlg(AppContext& context, Operator& op, Clock& clock,
                   const MainWindowOptions& options, QWidget* parent = nullptr);
    ~CWriterMainDlg() override;

    // The window's start: catalogue, visibility file, writer version, job restore.
    void OnInitDialog();
    // An arrival or removal; it waits while a command or another notice is running.
    void OnDeviceChange(const DeviceEvent& event);
    // Hands every arrival and removal noticed since the last call to OnDeviceChange; the
    // window's timer calls it.
    void pollDevices();
    // Every command that talks to the writer outside the window's own commands (a modeless
    // window's buttons) holds this while it runs, so no device notice runs inside it.
    DeviceNoticeGate& deviceNotices() { return deviceNotices_; }

    void ShowConnectionStatus() override;
    void refreshPanel() override;
    void disableOperationButtons() override;
    void enableOperationButtons() override;

    // A later command plugs in here; until then its button or menu item stays disabled.
    void bindCommand(int id, Handler handler);
    bool commandBuilt(int id) const { return handlers_.contains(id); }
    // Files dropped on the window go here (local paths, in drop order); without a handler the
    // window takes no drops.
    void bindDropHandler(DropHandler handler);
    // The menu-state rules, as when a menu opens.
    void updateMenuStates();

    WriterSession& session() { return *session_; }
    CProgStatusBar* progStatusBar() const { return statusBar_; }
    QWidget* control(ControlId id) const { return controls_.byId.value(static_cast<int>(id)); }
    // Every control under its ControlId.
    const QMap<int, QWidget*>& controls() const { return controls_.byId; }
    QAction* action(int commandId) const { return actions_.value(commandId); }
    QPlainTextEdit* logEdit() const { return controls_.log; }
    CMiniHexEditView* hexView() const { return controls_.hexView; }
    CPinPictureDlg* pinPictureDialog() const { return pinDialog_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectControls();
    void buildMenus();
    void runCommand(int id);
    void bindBuiltCommands();
    void handleDeviceChange(const DeviceEvent& event);
    AttachServices services();
    void showPinPicture();
    void showPinThumbnail(const std::string& path);
    void OnFileExit();
    void OnAbout();
    void OnCheckNewVersion();

    AppContext& context_;
    Operator& op_;
    Clock& clock_;
    MainWindowOptions options_;
    CProgStatusBar* statusBar_ = nullptr;
    std::unique_ptr<WriterSession> session_;
    MainDlgControls controls_;
    QMap<int, QAction*> actions_;
    std::map<int, Handler> handlers_;
    DropHandler dropHandler_;
    std::string picturePath_;
    QSize thumbnailBox_;
    QPointer<CPinPictureDlg> pinDialog_;
    QTimer deviceTimer_;
    DeviceNoticeGate deviceNotices_;
};

}  // namespace vexlor::gui
