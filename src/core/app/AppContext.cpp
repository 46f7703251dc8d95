#include "core/app/AppContext.h"

namespace vexlor {

AppContext::AppContext(Operator& op, const std::filesystem::path& baseDirectory, Language language)
    : chipXml(op, baseDirectory),
      messages(language),
      serialJournal(baseDirectory / kJournalDatabaseFile) {
    shell.baseDirectory = baseDirectory;
    shell.startDirectory = baseDirectory.string();
    while (shell.startDirectory.size() > 1 && shell.startDirectory.back() == '/') {
        shell.startDirectory.pop_back();
    }
}

}  // namespace vexlor
