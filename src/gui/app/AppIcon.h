#pragma once

#include <QIcon>

namespace vexlor::gui {

// The program's icon, drawn rather than shipped: a chip in a programming socket.
QIcon WriterIcon();

}  // namespace vexlor::gui
