#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/app/AppContext.h"
#include "core/base/Clock.h"
#include "core/base/Operator.h"
#include "core/writer/Writer.h"

namespace vexlor {

// The Smart Option button: checks the writer's chip, reads the chip's option items and shows
// them in the Smart Option dialog over the window.
std::function<void()> MakeSmartOptionCommand(QWidget* window, AppContext& context, Operator& op,
                                             Writer& writer, Clock& clock,
                                             std::vector<std::filesystem::path> decoderDirectories);

}  // namespace vexlor
