#include "gui/maint/MaintCommandBindings.h"

#include <QDesktopServices>
#include <QUrl>

#include "core/app/ControlId.h"
#include "core/maint/FirmwareUpdate.h"
#include "core/maint/HardwareId.h"
#include "core/maint/SelfTest.h"
#include "core/maint/UserManual.h"
#include "gui/app/CommandIds.h"

namespace vexlor {

std::vector<std::pair<int, std::function<void()>>> MakeMaintCommands(AppContext& context,
                                                                     Operator& op, Writer& writer,
                                                                     MainView& view) {
    MaintServices services{context, writer, op, view};
    const auto bind = [&services](MaintOutcome (*command)(MaintServices&)) {
        return [services, command]() mutable { command(services); };
    };
    const auto selfTest = [&services](SelfTestKind kind) {
        return [services, kind]() mutable { RunSelfTest(services, kind); };
    };
    return {
        {gui::kUpdateFirmware, bind(OnUpdateFirmware)},
        {gui::kResetWriterFirmware, bind(OnResetWriterFirmware)},
        {static_cast<int>(ControlId::WriterTest), selfTest(SelfTestKind::WriterTest)},
        {gui::kWriterSimpleTest, selfTest(SelfTestKind::SimpleTest)},
        {gui::kReadHardwareId, bind(OnReadHardwareId)},
        {gui::kUserManual,
         [&op, base = context.shell.baseDirectory] {
             OnUserManual(op, base, [](const std::filesystem::path& manual) {
                 QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(manual)));
             });
         }},
    };
}

}  // namespace vexlor
