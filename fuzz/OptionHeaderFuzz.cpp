// Any option header a writer answers with restores the job of a known chip or leaves the
// window as it was, never a crash. The chip data is the delivered data directory.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "FuzzScratch.h"
#include "core/app/CatalogueChipDatabase.h"
#include "core/app/JobRestore.h"
#include "core/chipdb/CatalogueFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexlor::OptionHeader header{};
    std::copy_n(data, std::min(size, header.size()), header.begin());

    // The catalogue is parsed once; only the chip values a restore reads are reset.
    static vexlor::SilentOperator op;
    static vexlor::ReadChipXml document(op, VEXLOR_FUZZ_DATA_DIR);
    static const std::int32_t selector = vexlor::kChipListKLW20;
    static vexlor::CatalogueChipDatabase chips(document, selector);
    document.chipDisplayInfo() = {};

    vexlor::ShellState shell;
    shell.startDirectory = vexlor::fuzz::ScratchDirectory().string();
    if (!vexlor::RestoreJobFromWriter(header, chips, op, shell) &&
        (shell.titleText != vexlor::kInitialTitleText || !shell.job.chipNameText.empty())) {
        std::abort();
    }
    // A byte past the header picks the protect layout the fuse boxes are shown with.
    const std::int32_t setProtectMode = size > header.size() ? data[header.size()] : 0;
    vexlor::ShowWritersFuseBoxes(header, setProtectMode, shell);
    return 0;
}
