#include "core/ops/ConversionSetup.h"

#include <algorithm>
#include <system_error>

#include "core/convert/FileFilters.h"

namespace vexlor {

ConversionJob MakeConversionJob(const AppContext& context, const std::filesystem::path& programFile,
                                std::uint32_t optionWord) {
    const JobState& job = context.shell.job;
    ConversionJob conversion(context.chipXml.icInfo());
    conversion.baseDirectory = context.shell.baseDirectory;
    if (!context.link.hwVersionName.empty()) {
        conversion.hwVersionName = context.link.hwVersionName;
    }
    conversion.packageCode = job.packageCode;
    conversion.writerModelKLW20 = context.shell.chipListSelector == 1;
    conversion.hexToBinMode = context.chipXml.chipDisplayInfo().HextoBinMode;
    conversion.fileTypes = filterPatternList(context.chipXml.chipDisplayInfo().IC_FileType);
    conversion.optionWord = optionWord;
    conversion.programFile = programFile;
    conversion.flags.displaySerialNumber = job.displaySerialNumber != 0;
    conversion.flags.exhvIspProgram = job.exhvIspProgram != 0;
    conversion.flags.massProduction = job.massProduction != 0;
    conversion.flags.productionLimit = job.productionLimit != 0;
    conversion.flags.wholeChipErase = job.wholeChipErase != 0;
    conversion.flags.ispProgram = job.ispProgram != 0;
    conversion.flags.packedCount =
        packProductionCount(static_cast<std::uint32_t>(std::max(job.productionLimitCount, 0)));
    conversion.time = currentLocalTime();
    return conversion;
}

std::vector<std::filesystem::path> ConverterDirectories(const std::filesystem::path& base) {
    std::vector<std::filesystem::path> directories{base};
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        directories.push_back(program.parent_path());
    }
    return directories;
}

}  // namespace vexlor
