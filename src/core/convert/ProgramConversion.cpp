#include "core/convert/ProgramConversion.h"

#include "core/convert/ConverterLibrary.h"
#include "core/convert/GenericConverter.h"
#include "core/convert/InsideNumberDispatch.h"

namespace vexlor {

int convertProgram(const ConversionJob& job, ConversionOutput& out,
                   const std::vector<std::filesystem::path>& pluginDirectories) {
    if (isLibraryFamily(job.ic.ChipType)) {
        return convertWithLibrary(job, out, pluginDirectories);
    }
    if (job.ic.ChipName == kModelConverterChip) {
        return ConvertGenericFamily(job, out);
    }
    return ConvertByInsideNumber(job.ic.Inside_Number, job, out);
}

}  // namespace vexlor
