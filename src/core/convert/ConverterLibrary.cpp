#include "core/convert/ConverterLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

#include "core/convert/BufferFiles.h"
#include "core/convert/GenericConverter.h"
#include "core/convert/HexProgram.h"
#include "core/convert/MessageCaption.h"
#include "core/convert/WorkFiles.h"

namespace vexlor {
namespace {

struct ExportRow {
    std::string_view chipType;
    std::int32_t romType;
    LibraryExport entry;
};

constexpr std::string_view kQv93 = "Qv93ConverFileDLL";
constexpr std::string_view kQv83 = "Qv83ConverFileDLL";
constexpr std::string_view kQv84 = "Qv84ConverFileDLL";
constexpr std::string_view kQv68 = "Qv68B8XMConverFileDLL";
constexpr std::string_view kUsb = "USBConverFileDLL";

constexpr ExportRow kExports[] = {
    {"37", 1, {kQv93, "NewQv93SeriesConvertFile"}},
    {"37", 2, {kQv93, "NewQv93SeriesConvertFile1"}},
    {"37", 3, {kQv93, "NewQv93SeriesConvertFile2"}},
    {"37", 4, {kQv93, "NewQv93SeriesConvertFile3"}},
    {"37", 5, {kQv93, "NewQv93SeriesConvertFile4"}},
    {"37", 6, {kQv93, "NewQv93SeriesConvertFile5"}},
    {"27", 0, {kQv83, "NewQv83OTPSeriesConvertFile"}},
    {"27", 1, {kQv83, "NewQv83MTP_FLASHSeriesConvertFile"}},
    {"28", 0, {kQv84, "NewQv84OTPSeriesConvertFile"}},
    {"28", 1, {kQv84, "NewQv84MTP_FLASHSeriesConvertFile"}},
    {"28", 2, {kQv84, "NewQv84PageLookMTP_SeriesConvertFile"}},
    {"28", 3, {kQv84, "NewQv84OTPSeriesConvertFile1"}},
    {"28", 4, {kQv84, "NewQv84OTPSeriesConvertFile2"}},
    {"28", 5, {kQv84, "NewQv8459FLASHSeriesConvertFile"}},
    {"28", 6, {kQv84, "NewQv8470FLASHSeriesConvertFile"}},
    {"89", 0, {kQv68, "NewQv68B8XSeriesConvertFile"}},
    {"89", 1, {kQv68, "NewQv64NH45SeriesConvertFile"}},
    {"89", 2, {kQv68, "NewQv64FS38SeriesConvertFile"}},
    {"89", 3, {kQv68, "NewQv64FD61SeriesConvertFile"}},
    {"89", 4, {kQv68, "NewQv64EJ38SeriesConvertFile"}},
    {"USB", 1, {kUsb, "USBSeriesConvertFile"}},
    {"USB", 5, {kUsb, "Other_ConvertFile4"}},
};

// A loaded plugin, closed again when the call is over.
class PluginHandle {
  public:
    explicit PluginHandle(const std::filesystem::path& path)
        : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~PluginHandle() {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }
    PluginHandle(const PluginHandle&) = delete;
    PluginHandle& operator=(const PluginHandle&) = delete;

    ConvertExport find(std::string_view symbol) const {
        if (handle_ == nullptr) {
            return nullptr;
        }
        return reinterpret_cast<ConvertExport>(dlsym(handle_, std::string(symbol).c_str()));
    }

  private:
    void* handle_;
};

// A plugin writes the buffer files in place; the last good pair is kept aside meanwhile and
// put back when the plugin fails, so a failed load leaves the job as it was.
class KeptBufferFiles {
  public:
    explicit KeptBufferFiles(const std::filesystem::path& base) {
        for (const char* name : {kBufferOptionName, kBufferDataName}) {
            std::filesystem::path path = base / name;
            std::filesystem::path kept = path;
            kept += ".kept";
            std::error_code error;
            std::filesystem::copy_file(path, kept,
                                       std::filesystem::copy_options::overwrite_existing, error);
            files_.push_back({path, kept, !error});
        }
    }
    KeptBufferFiles(const KeptBufferFiles&) = delete;
    KeptBufferFiles& operator=(const KeptBufferFiles&) = delete;

    void restoreUnless(bool succeeded) {
        for (const File& file : files_) {
            std::error_code ignored;
            if (!succeeded && file.kept) {
                std::filesystem::rename(file.keptPath, file.path, ignored);
            } else if (!succeeded) {
                std::filesystem::remove(file.path, ignored);
            }
            std::filesystem::remove(file.keptPath, ignored);
        }
    }

  private:
    struct File {
        std::filesystem::path path;
        std::filesystem::path keptPath;
        bool kept;
    };
    std::vector<File> files_;
};

void copyBack(const ConvertContext& context, ConversionResult& result) {
    result.descriptionText.assign(
        context.descriptionText, strnlen(context.descriptionText, sizeof(context.descriptionText)));
    result.secondaryChecksum = context.secondaryChecksum;
    result.checksum = context.programChecksum;
    result.unprotect = context.unprotect != 0;
}

// The built-in converter every export falls back to: like the model converter, after turning a
// ".hex" program file into an image with the job's HextoBinMode as fill mode. Its outputs go
// into the context as a plugin's would.
std::int32_t convertLikeModel(const ConversionJob& original, ConvertContext& context,
                              ConversionOutput& reporting) {
    ConversionJob job = original;
    if (hasExtension(job.programFile, ".hex")) {
        const std::filesystem::path imagePath =
            sideFilePath(job.baseDirectory, job.programFile, ".bin");
        const HexImageRules rules{job.hexToBinMode, 0, modelConverterReadLength(job.ic), false};
        if (!convertProgramHex(job, reporting, imagePath, rules)) {
            return kConvertImage;
        }
        job.madeFrom = job.programFile;
        job.programFile = imagePath;
    }
    ConversionResult result;
    ConversionOutput out{reporting.op, reporting.diagnostics, result};
    const int code = ConvertGenericFamily(job, out);
    context.programChecksum = result.checksum;
    context.unprotect = result.unprotect ? 1 : 0;
    const std::size_t length =
        std::min(result.descriptionText.size(), sizeof(context.descriptionText) - 1);
    std::memcpy(context.descriptionText, result.descriptionText.data(), length);
    context.descriptionText[length] = '\0';
    return code;
}

}  // namespace

bool isLibraryFamily(std::string_view chipType) {
    return std::any_of(std::begin(kExports), std::end(kExports),
                       [&](const ExportRow& row) { return row.chipType == chipType; });
}

std::optional<LibraryExport> findLibraryExport(std::string_view chipType, std::int32_t romType) {
    for (const ExportRow& row : kExports) {
        if (row.chipType == chipType && row.romType == romType) {
            return row.entry;
        }
    }
    return std::nullopt;
}

ContextTexts contextTexts(const ConversionJob& job) {
    return {job.baseDirectory.string(), job.packageCode, job.programFile.string()};
}

ConvertContext makeConvertContext(const ConversionJob& job, const ContextTexts& texts) {
    ConvertContext context;
    context.programDirectory = texts.programDirectory.c_str();
    context.writerModelKLW20 = job.writerModelKLW20 ? 1 : 0;
    context.packageCode = texts.packageCode.c_str();
    context.hexToBinMode = job.hexToBinMode;
    context.chip = job.ic;
    context.optionWord = job.optionWord;
    context.programFile = texts.programFile.c_str();
    context.displaySerialNumber = job.flags.displaySerialNumber;
    context.exhvIspProgram = job.flags.exhvIspProgram;
    context.massProduction = job.flags.massProduction;
    context.productionLimit = job.flags.productionLimit;
    context.wholeChipErase = job.flags.wholeChipErase;
    context.packedCount = job.flags.packedCount;
    context.ispProgram = job.flags.ispProgram;
    return context;
}

std::int32_t convertWithLibrary(const ConversionJob& job, ConversionOutput& out,
                                const std::vector<std::filesystem::path>& pluginDirectories) {
    const ContextTexts texts = contextTexts(job);
    ConvertContext context = makeConvertContext(job, texts);
    context.programChecksum = out.result.checksum;
    context.secondaryChecksum = out.result.secondaryChecksum;
    context.unprotect = out.result.unprotect ? 1 : 0;
    std::strncpy(context.descriptionText, out.result.descriptionText.c_str(),
                 sizeof(context.descriptionText) - 1);

    std::int32_t code = 0;
    const std::optional<LibraryExport> entry = findLibraryExport(job.ic.ChipType, job.ic.ROMtype);
    if (!entry) {
        // Without a converter the old buffer files would be downloaded as if converted.
        out.diagnostics.print("No support !");
        out.op.message("No support !", kMessageCaption);
        code = 1;
    } else {
        ConvertExport convert = nullptr;
        std::optional<PluginHandle> plugin;
        const std::string fileName = std::string(entry->library) + ".so";
        for (const std::filesystem::path& directory : pluginDirectories) {
            std::error_code error;
            if (std::filesystem::is_regular_file(directory / fileName, error)) {
                plugin.emplace(directory / fileName);
                convert = plugin->find(entry->symbol);
                break;
            }
        }
        if (convert != nullptr) {
            KeptBufferFiles kept(job.baseDirectory);
            code = convert(&context);
            kept.restoreUnless(code == 0);
        } else {
            code = convertLikeModel(job, context, out);
        }
    }
    copyBack(context, out.result);
    return code;
}

}  // namespace vexlor
