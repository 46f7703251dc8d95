// Any bytes given as an option template (.tin) give items the Smart Option page can show,
// whatever the configuration word, never a crash.
#include <cstdint>
#include <cstdlib>

#include "FuzzScratch.h"
#include "core/smartopt/OptionSelections.h"
#include "core/smartopt/SmartOptionPage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = vexlor::fuzz::WriteInputFile("option.tin", data, size);
    vexlor::SmartOptionBlock block;
    const int items = vexlor::ParseOptionTemplate(file, block);
    if (items < 0 || static_cast<std::size_t>(items) != block.items.size()) {
        std::abort();
    }
    for (const std::uint32_t word : {0x0000u, 0xA55Au, vexlor::kUnknownSystemConfig}) {
        // These names read the word's second byte; any other name the first.
        for (const char* chip : {"QR31X3517", "QR46FUZZ"}) {
            vexlor::SelectFromSystemConfig(block, word, chip);
            if (vexlor::TemplatePage(block, word).rows.size() != block.items.size()) {
                std::abort();
            }
        }
    }
    return 0;
}
