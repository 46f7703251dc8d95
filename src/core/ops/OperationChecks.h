#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/app/PanelRules.h"
#include "core/base/Operator.h"

namespace vexlor {

// Option header offsets the operations look at.
inline constexpr std::size_t kStoredNameLength = 10;
inline constexpr std::size_t kChecksumHigh = 16;
inline constexpr std::size_t kChecksumLow = 17;
inline constexpr std::size_t kReservedWordsHigh = 39;
inline constexpr std::size_t kReservedWordsLow = 40;
inline constexpr std::size_t kJobStateOffset = 53;
inline constexpr std::size_t kMemoryKindOffset = 71;
inline constexpr std::size_t kProductionStateOffset = 244;

// The chip name the writer holds: up to the first zero byte, at most ten characters.
std::string StoredChipName(const OptionHeader& header);

// The checks before a job starts on the writer; each failure is shown ("Message", exclamation
// icon) and stops the job. Read checks the chip name only.
enum class HeaderChecks { ChipNameOnly, Download };
bool CheckWriterJob(const OptionHeader& header, std::string_view selectedChip, HeaderChecks checks,
                    Operator& op);

// The writer has used up its production limit.
bool ProductionLimitReached(const OptionHeader& header);

// Whether the local option buffer describes an MTP or Flash chip, whose blank check erases it.
// A missing or short buffer file describes neither.
bool BufferNamesErasableChip(const std::filesystem::path& optionBuffer);

}  // namespace vexlor
