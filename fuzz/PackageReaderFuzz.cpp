// Any bytes given to the package reader end in items or a problem, never in a crash, and the
// items it gives back always name files inside the extraction folder.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/packages/PackagePaths.h"
#include "core/packages/PackageResult.h"
#include "core/packages/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexlor::ZipLimits limits;
    limits.maxEntryBytes = 1 << 20;
    limits.maxTotalBytes = 4 << 20;
    limits.maxEntries = 64;
    for (const char* password : {vexlor::kUpdatePackagePassword, ""}) {
        const vexlor::ZipContents contents =
            vexlor::ReadZipArchive(std::span(data, size), password, limits);
        // A refused archive gives nothing to write, not the entries before the refused one.
        if (!contents.ok() && !contents.items.empty()) {
            std::abort();
        }
        std::uint64_t total = 0;
        for (const vexlor::ZipItem& item : contents.items) {
            total += item.data.size();
            if (!vexlor::RelativePathProblem(item.name).empty() ||
                vexlor::RelativePathOf(item.name).empty() ||
                item.data.size() > limits.maxEntryBytes) {
                std::abort();
            }
        }
        if (total > limits.maxTotalBytes) {
            std::abort();
        }
    }
    return 0;
}
