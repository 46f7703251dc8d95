// Any bytes given as an Intel HEX file are either read into an image of the size the rules
// allow or refused with a reason and no image written.
#include <cstdint>
#include <cstdlib>
#include <system_error>

#include "FuzzScratch.h"
#include "core/convert/HexImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path input = vexlor::fuzz::WriteInputFile("program.hex", data, size);
    const std::filesystem::path image = vexlor::fuzz::ScratchDirectory() / "program.img";
    const vexlor::Diagnostics quiet;
    for (int fillMode = 1; fillMode <= 3; ++fillMode) {
        vexlor::HexImageRules rules;
        rules.fillMode = fillMode;
        rules.acceptDamaged = fillMode != 1;
        rules.readLimit = fillMode == 3 ? 0x1000 : vexlor::kHexImageSize;
        rules.lengthOverride = fillMode == 2 ? 0x800 : 0;
        std::error_code ignored;
        std::filesystem::remove(image, ignored);
        const vexlor::HexImageOutcome outcome =
            vexlor::ConvertHexToImage(input, image, rules, quiet);
        const bool written = std::filesystem::exists(image);
        if ((outcome.result == 0) != written || (outcome.result != 0 && outcome.reason.empty())) {
            std::abort();
        }
        if (written) {
            const std::uintmax_t length = std::filesystem::file_size(image);
            const std::uintmax_t longest =
                rules.lengthOverride != 0 ? rules.lengthOverride : rules.readLimit;
            if (length > longest || (rules.lengthOverride != 0 && length != longest)) {
                std::abort();
            }
        }
    }
    return 0;
}
