#include "support/gui/MainWindowHarness.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "ScratchBase.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {

MainWindowHarness::MainWindowHarness(const WindowSetup& setup) {
    EnsureQtApplication();
    layOutBase(base.path(), builtBaseDir());
    if (!setup.visibility.empty()) {
        base.write("KLW_Read.xml", setup.visibility);
    }
    context = std::make_unique<AppContext>(op, base.path(), Language::English);
    gui::MainWindowOptions options;
    options.programDirectory = base.path();
    options.devicePollMs = 0;
    options.session.simulate = setup.simulate;
    options.session.simulatedAttached = setup.attached;
    options.session.simulatedVersion = setup.version;
    if (!setup.job.empty()) {
        options.session.simulatedJob = base.writeBytes("job.prog", setup.job);
    }
    if (!setup.simulate) {
        options.session.paths = {setup.deviceDirectory, base / "absent.so"};
    }
    window_ = std::make_unique<gui::CWriterMainDlg>(*context, op, clock, options);
    window_->session().connection().SelectTransport(false);
    window_->OnInitDialog();
    window_->show();
}

MainWindowHarness::~MainWindowHarness() = default;

std::string MainWindowHarness::text(ControlId id) const {
    if (auto* edit = qobject_cast<QLineEdit*>(control(id))) {
        return edit->text().toStdString();
    }
    return qobject_cast<QLabel*>(control(id))->text().toStdString();
}

bool MainWindowHarness::trigger(const char* actionName) {
    auto* action = window_->findChild<QAction*>(actionName);
    if (action == nullptr) {
        return false;
    }
    action->trigger();
    return true;
}

std::string MainWindowHarness::message(const char* key) const {
    return context->messages.GetMultiLanguageMsg(key);
}

void MainWindowHarness::chooseChip(const std::string& name) {
    context->chips.ReadChipDisplayInfo(name);
    EXPECT_TRUE(context->chips.ReadICInfo(name));
    context->shell.job.chipNameText = name;
    window_->enableOperationButtons();
}

}  // namespace vexlor::test
