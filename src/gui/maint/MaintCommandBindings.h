#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "core/app/AppContext.h"
#include "core/app/MainView.h"
#include "core/base/Operator.h"
#include "core/writer/Writer.h"

namespace vexlor {

// The window's maintenance commands by command or control id: Update F/W, Reset Writer F/W,
// Writer Test, Writer Simple Test, Read Hardware ID and User Manual.
std::vector<std::pair<int, std::function<void()>>> MakeMaintCommands(AppContext& context,
                                                                     Operator& op, Writer& writer,
                                                                     MainView& view);

}  // namespace vexlor
