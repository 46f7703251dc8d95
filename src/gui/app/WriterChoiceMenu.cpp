#include "gui/app/WriterChoiceMenu.h"

#include <QActionGroup>
#include <QMenuBar>

#include "gui/app/WriterSession.h"

namespace vexlor::gui {

namespace {

// Filled afresh each time it opens: writers come and go while the program runs.
void fillWriterChoices(QMenu* menu, WriterSession& session,
                       const std::function<void(const DeviceEvent&)>& notify) {
    qDeleteAll(menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
    menu->clear();
    auto* group = new QActionGroup(menu);
    const auto& chosen = session.chosenWriter();
    const auto addChoice = [&](const QString& text, const std::optional<WriterListing>& writer) {
        QAction* action = menu->addAction(text);
        action->setObjectName(writer ? "writer_" + QString::fromStdString(writer->id)
                                     : "writer_any");
        action->setCheckable(true);
        action->setChecked(writer ? chosen && chosen->id == writer->id : !chosen);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, menu,
                         [&session, notify, writer] { notify(session.chooseWriter(writer)); });
    };
    addChoice("&Any writer (the first one found)", std::nullopt);
    menu->addSeparator();
    const auto writers = session.listWriters();
    for (const WriterListing& writer : writers) {
        addChoice(QString::fromStdString(writer.id + "  " + writer.description), writer);
    }
    if (writers.empty()) {
        menu->addAction("No writer attached")->setEnabled(false);
    }
}

}  // namespace

void AddWriterChoiceMenu(QMenuBar* bar, WriterSession& session,
                         std::function<void(const DeviceEvent&)> notify) {
    QMenu* menu = bar->addMenu("&Writers");
    menu->setObjectName("writersMenu");
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &session, notify = std::move(notify)] {
        fillWriterChoices(menu, session, notify);
    });
}

}  // namespace vexlor::gui
