#include "gui/app/SimulatedWriterMenu.h"

#include <QActionGroup>
#include <QMenuBar>

#include "gui/app/WriterSession.h"

namespace vexlor::gui {

namespace {

struct SimulatedVersion {
    const char* label;
    const char* text;
};
constexpr SimulatedVersion kSimulatedVersions[] = {
    {"V1.0", "USB STANDALONE WRITER_V1.0"},
    {"V1.1", "USB STANDALONE WRITER_V1.1"},
    {"V2.0", "USB STANDALONE WRITER_V2.0"},
    {"Unknown version", "USB STANDALONE WRITER_V9.9"}};

QAction* addAction(QMenu* menu, const char* text, const char* name) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

void addVersionChoices(QMenu* menu, WriterSession& session) {
    QMenu* versions = menu->addMenu("Version at next attach");
    versions->setObjectName("simVersionMenu");
    auto* group = new QActionGroup(versions);
    for (const SimulatedVersion& version : kSimulatedVersions) {
        QAction* choice = versions->addAction(version.label);
        choice->setObjectName(QString("simVersion_%1").arg(version.label).remove(' '));
        choice->setCheckable(true);
        choice->setChecked(session.simulatedVersion() == version.text);
        group->addAction(choice);
        QObject::connect(choice, &QAction::triggered, menu,
                         [&session, text = version.text] { session.setSimulatedVersion(text); });
    }
}

struct SimulatedEdge {
    const char* label;
    const char* name;
    std::optional<sim::VoltageEdge> edge;
};
constexpr SimulatedEdge kSimulatedEdges[] = {
    {"Off", "simVoltageEdge_Off", std::nullopt},
    {"At the low bound", "simVoltageEdge_AtLow", sim::VoltageEdge::AtLow},
    {"At the high bound", "simVoltageEdge_AtHigh", sim::VoltageEdge::AtHigh},
    {"Below the low bound", "simVoltageEdge_BelowLow", sim::VoltageEdge::BelowLow},
    {"Above the high bound", "simVoltageEdge_AboveHigh", sim::VoltageEdge::AboveHigh}};

// For the self-tests: readings exactly on, or one step beyond, what the program accepts.
void addVoltageEdgeChoices(QMenu* menu, WriterSession& session) {
    QMenu* edges = menu->addMenu("Voltages on a bound");
    edges->setObjectName("simVoltageEdgeMenu");
    auto* group = new QActionGroup(edges);
    for (const SimulatedEdge& edge : kSimulatedEdges) {
        QAction* choice = addAction(edges, edge.label, edge.name);
        choice->setCheckable(true);
        choice->setChecked(!edge.edge);
        group->addAction(choice);
        QObject::connect(choice, &QAction::triggered, menu,
                         [&session, value = edge.edge] { session.setSimulatedVoltageEdge(value); });
    }
}

void addFaultSwitch(QMenu* menu, const char* text, const char* name,
                    std::function<void(bool)> set) {
    QAction* fault = addAction(menu, text, name);
    fault->setCheckable(true);
    QObject::connect(fault, &QAction::toggled, menu, std::move(set));
}

}  // namespace

void AddSimulatedWriterMenu(QMenuBar* bar, WriterSession& session,
                            std::function<void(const DeviceEvent&)> notify) {
    QMenu* menu = bar->addMenu("&Simulated writer");
    menu->setObjectName("menuSimulatedWriter");
    QAction* attach = addAction(menu, "&Attach", "simAttach");
    QAction* remove = addAction(menu, "&Remove", "simRemove");
    QObject::connect(attach, &QAction::triggered, menu,
                     [&session, notify] { notify(session.attachSimulated()); });
    QObject::connect(remove, &QAction::triggered, menu,
                     [&session, notify] { notify(session.removeSimulated()); });
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&session, attach, remove] {
        attach->setEnabled(!session.simulatedAttached());
        remove->setEnabled(session.simulatedAttached());
    });
    menu->addSeparator();
    addVersionChoices(menu, session);
    addFaultSwitch(menu, "Firmware other than the base firmware", "simForeignFirmware",
                   [&session](bool on) { session.setSimulatedForeignFirmware(on); });
    addFaultSwitch(menu, "Voltages out of range", "simVoltageFault",
                   [&session](bool on) { session.setSimulatedVoltageFault(on); });
    addVoltageEdgeChoices(menu, session);

    menu->addSeparator();
    // A chip run needs a fresh chip per job, and a way to see a failing one.
    addFaultSwitch(menu, "A blank chip before every chip job", "simBlankChipPerJob",
                   [&session](bool on) { session.simWriter()->setFreshChipPerJob(on); });
    QAction* failNext = addAction(menu, "Fail the next chip job", "simFailNextChip");
    QObject::connect(failNext, &QAction::triggered, menu,
                     [&session] { session.simWriter()->faults().failChipJob = 1; });
}

}  // namespace vexlor::gui
