#pragma once

#include <functional>

#include "core/writer/DeviceEvent.h"

class QMenuBar;

namespace vexlor::gui {

class WriterSession;

// The "Simulated writer" menu: plug the simulated writer in and out, and choose what kind of
// writer it is at the next attach. `notify` receives the notice a real plug or unplug gives.
void AddSimulatedWriterMenu(QMenuBar* bar, WriterSession& session,
                            std::function<void(const DeviceEvent&)> notify);

}  // namespace vexlor::gui
