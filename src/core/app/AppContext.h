#pragma once

#include <filesystem>

#include "core/app/CatalogueChipDatabase.h"
#include "core/app/ShellState.h"
#include "core/chipdb/MultiLanguageCatalogue.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/serial/SerialJournal.h"
#include "core/serial/SerialRunState.h"
#include "core/smartopt/OptionTemplate.h"
#include "core/writer/WriterLink.h"

namespace vexlor {

inline constexpr const char* kMessageCatalogueFile = "VexlorMsg.xml";
inline constexpr const char* kOperationVisibilityFile = "KLW_Read.xml";

// The records one running program keeps for its whole run. Created at start and handed by
// reference to whoever needs them.
struct AppContext {
    AppContext(Operator& op, const std::filesystem::path& baseDirectory, Language language);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    ShellState shell;
    WriterLink link;
    ReadChipXml chipXml;
    CatalogueChipDatabase chips{chipXml, shell.chipListSelector};
    MultiLanguageCatalogue messages;
    SerialRunState serial;
    SerialJournal serialJournal;
    // The smart-option item block of the main window, kept for the whole run.
    SmartOptionBlock smartOptions;
};

}  // namespace vexlor
