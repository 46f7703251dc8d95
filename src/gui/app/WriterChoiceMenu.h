#pragma once

#include <functional>

#include "core/writer/DeviceEvent.h"

class QMenuBar;

namespace vexlor::gui {

class WriterSession;

// The "Writers" menu: the writers attached when it opens, the one in use checked; choosing one
// lets go of the writer in use and attaches the chosen one through `notify`.
void AddWriterChoiceMenu(QMenuBar* bar, WriterSession& session,
                         std::function<void(const DeviceEvent&)> notify);

}  // namespace vexlor::gui
