#include "core/ops/FileCompare.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/base/Diagnostics.h"
#include "core/convert/ByteFiles.h"
#include "core/ops/CompareImage.h"
#include "core/ops/OperationChecks.h"

namespace vexlor {

namespace {

constexpr std::size_t kCompareLengthHigh = 24;
constexpr std::size_t kWordFlags = 30;
constexpr std::size_t kWordOrder = 31;
constexpr std::uint8_t kWordData = 1;
constexpr std::uint8_t kStoredOrder = 2;
constexpr std::size_t kYearLow = 192;

}  // namespace

bool AreaMatchesImage(std::span<const std::uint8_t> image, std::span<const std::uint8_t> area,
                      const OptionHeader& h) {
    const std::size_t compareLength = h[kCompareLengthHigh] * 256u + h[kCompareLengthHigh + 1];
    // Nothing compared proves nothing: an empty image is no match.
    if (image.empty()) {
        return false;
    }
    const std::size_t available = std::min(image.size(), area.size());
    if ((h[kWordFlags] & 0x0F) != kWordData) {
        const std::size_t n = std::min(compareLength, available);
        return std::equal(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n),
                          area.begin());
    }
    // Whole words only: the stated length in words may run past the file and the area.
    const std::size_t n = std::min(2 * compareLength, available) & ~std::size_t{1};
    const bool swapped = (h[kWordOrder] & 0x0F) != kStoredOrder;
    for (std::size_t i = 0; i < n; i += 2) {
        const std::uint8_t first = swapped ? area[i + 1] : area[i];
        const std::uint8_t second = swapped ? area[i] : area[i + 1];
        if (image[i] != first || image[i + 1] != second) {
            return false;
        }
    }
    return true;
}

bool CompareAreaWithFile(JobServices& s, const std::filesystem::path& path, std::uint8_t area) {
    // Read before the writer is touched, so a missing file leaves it in its idle mode.
    std::optional<Bytes> image = readFileBytes(path);
    if (!image) {
        s.op.message(format("Open Fail ! (%s)", path.string().c_str()));
        return false;
    }
    image->resize(std::min<std::size_t>(image->size(), kAreaBufferSize));
    WriterLink& link = s.context.link;
    s.writer.ChangeWriterMode(kModeTransfer);
    link.showTransferProgress = false;
    const std::array<std::uint8_t, 2> open{area, kAreaOpenTag};
    s.writer.SendCommand(cmd::kOpenArea, open.data(), open.size());
    std::vector<std::uint8_t> held(image->size(), 0);
    link.showTransferProgress = true;
    const bool received =
        held.empty() ||
        s.writer.ReceiveData(cmd::kReadArea, held.data(), static_cast<std::uint32_t>(held.size()));
    link.showTransferProgress = false;
    const std::array<std::uint8_t, 2> close{kAreaCloseFirst, kAreaCloseSecond};
    s.writer.SendCommand(cmd::kOpenArea, close.data(), close.size());
    s.writer.ChangeWriterMode(kModeDone);
    return received && AreaMatchesImage(*image, held, link.optionHeader);
}

DownloadFileTexts DownloadFileInfoTexts(const OptionHeader& h) {
    const unsigned year = h[kYearLow] | h[kYearLow + 1] << 8;
    return {"Chip Name : " + StoredChipName(h),
            format("Download File Time :%d/%d/%d_%d:%d:%d", year, h[194], h[198], h[200], h[202],
                   h[204])};
}

DownloadFileTexts OnCompareFile(JobServices& s) {
    s.writer.ReadOptionHeader(s.context.link.optionHeader);
    return DownloadFileInfoTexts(s.context.link.optionHeader);
}

std::string CompareResultText(CompareOutcome outcome) {
    const char* result = outcome == CompareOutcome::Equal       ? "OK"
                         : outcome == CompareOutcome::Different ? "Fail"
                                                                : "";
    return format("Compare Result : %s", result);
}

CompareOutcome CompareProgramFile(JobServices& s, const std::filesystem::path& file) {
    constexpr const char* kStage = "Compare";
    ProgressSink& progress = s.writer.connection().progress();
    progress.beginStage(kStage);
    const std::optional<std::filesystem::path> image = MakeCompareImage(s, file);
    if (!image) {
        progress.result(kStage, false, file.string() + " cannot be compared");
        return CompareOutcome::Unreadable;
    }
    const CompareOutcome outcome = CompareAreaWithFile(s, *image, kDataArea)
                                       ? CompareOutcome::Equal
                                       : CompareOutcome::Different;
    progress.result(kStage, outcome == CompareOutcome::Equal, CompareResultText(outcome));
    return outcome;
}

CompareOutcome OnCompareFileButton(JobServices& s, CompareFileView& view) {
    view.setButtonsEnabled(false);
    view.showResult(CompareResultText(CompareOutcome::Cancelled));
    CompareOutcome outcome = CompareOutcome::Cancelled;
    const std::optional<std::string> chosen =
        s.op.chooseOpenFile(s.context.chipXml.chipDisplayInfo().IC_FileType);
    if (chosen) {
        outcome = CompareProgramFile(s, *chosen);
        if (outcome == CompareOutcome::Equal || outcome == CompareOutcome::Different) {
            view.showResult(CompareResultText(outcome));
        }
    }
    view.setButtonsEnabled(true);
    return outcome;
}

}  // namespace vexlor
