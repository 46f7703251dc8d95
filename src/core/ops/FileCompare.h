#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "core/app/PanelRules.h"
#include "core/ops/JobServices.h"

namespace vexlor {

// Whether the writer's area agrees with the image as far as both reach and the option header
// asks: byte mode compares its compare length in bytes, word mode twice that in whole 16-bit
// words, each word in stored order or with its bytes swapped. An empty image never agrees.
bool AreaMatchesImage(std::span<const std::uint8_t> image, std::span<const std::uint8_t> area,
                      const OptionHeader& header);

// Reads as much of the writer's area as the file is long (at most the area buffer) and
// compares. A file that cannot be read shows "Open Fail ! (path)" and a failed read from the
// writer counts as a difference.
bool CompareAreaWithFile(JobServices& services, const std::filesystem::path& path,
                         std::uint8_t area);

// The two texts of "Download File Information" from the writer's option header.
struct DownloadFileTexts {
    std::string chipName;
    std::string downloadTime;
};
DownloadFileTexts DownloadFileInfoTexts(const OptionHeader& header);
// Reads the option header and returns its texts.
DownloadFileTexts OnCompareFile(JobServices& services);

enum class CompareOutcome {
    Cancelled,   // no file chosen
    Unreadable,  // the file could not be turned into an image (a message said why)
    Equal,
    Different,
};
// "Compare Result : OK" / "Fail"; an empty result for a compare that did not run.
std::string CompareResultText(CompareOutcome outcome);

// The file the operator chose, made into an image and compared with the data area.
CompareOutcome CompareProgramFile(JobServices& services, const std::filesystem::path& file);

// The dialog the Compare File button belongs to.
class CompareFileView {
  public:
    virtual ~CompareFileView() = default;
    virtual void setButtonsEnabled(bool enabled) = 0;
    virtual void showResult(const std::string& text) = 0;
};

// The Compare File button: asks for a file with the chip's filter and compares it.
CompareOutcome OnCompareFileButton(JobServices& services, CompareFileView& view);

}  // namespace vexlor
