// Any file given as a data-EEPROM binary gives the full EEPROM image or a message, never a
// crash or a short image.
#include <cstdint>
#include <cstdlib>
#include <system_error>

#include "FuzzScratch.h"
#include "core/convert/EepromImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path input = vexlor::fuzz::WriteInputFile("eeprom.bin", data, size);
    const std::filesystem::path image = vexlor::fuzz::ScratchDirectory() / "eeprom.img";
    std::error_code ignored;
    std::filesystem::remove(image, ignored);
    vexlor::SilentOperator op;
    const bool built = vexlor::BuildEepromImage(input, image, "QR46EE", op);
    if (built != (size <= vexlor::kEepromBinaryLimit) ||
        (built && std::filesystem::file_size(image) != vexlor::kEepromImageSize)) {
        std::abort();
    }
    return 0;
}
