#include "core/ops/ImportJob.h"

#include "core/app/JobRestore.h"
#include "core/ops/LoadFile.h"
#include "core/packages/JobPackage.h"

namespace vexlor {

JobOutcome ImportJobPackage(JobServices& s, const std::string& path) {
    ShellState& shell = s.context.shell;
    if (std::string problem = ExtractJobPackage(path, shell.baseDirectory); !problem.empty()) {
        s.op.message(problem);
        return JobOutcome::BadInput;
    }
    s.op.beginBusy(kLoadCursor);
    const bool downloaded = s.writer.DownloadBuffers();
    if (downloaded && s.context.link.writerConnected) {
        s.writer.ReadOptionHeader(s.context.link.optionHeader);
        RestoreJobFromWriter(s.context.link.optionHeader, s.context.chips, s.op, shell);
        shell.job.loadedFilePath = path;
    }
    s.op.endBusy();
    s.view.refreshPanel();
    s.view.showFileInHexView(shell.baseDirectory / kBufferDataFile);
    return downloaded ? JobOutcome::Ok : JobOutcome::Failed;
}

}  // namespace vexlor
