#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/ops/JobServices.h"

namespace vexlor {

inline constexpr const char* kLoadCursor = "dinosaur.ani";

// The status line after a load: what the command did with the file.
inline constexpr const char* kLoadingStatus = "Loading file ...";
inline constexpr const char* kDownloadCompleteStatus = "Download complete";
inline constexpr const char* kDownloadFailedStatus = "Download failed";
inline constexpr const char* kFileNotLoadedStatus = "File not loaded";

// The "Load File" command: file choice, option word, conversion into the two buffer files,
// the chip family's firmware, download, and the loaded data shown.
JobOutcome LoadFile(JobServices& services);
// The same sequence for a file that was dropped on the window.
JobOutcome LoadDroppedFile(JobServices& services, const std::string& path);
// Files dropped on the window: a job package (".zip") is imported; any other first file is
// loaded when its extension is the one the chip's file filter names.
JobOutcome OnDropFiles(JobServices& services, std::span<const std::string> paths);

// The extension a chip's file filter expects ("... (*.hex)|*.hex||" gives ".hex"); empty when
// the filter names none.
std::string ExpectedDropExtension(std::string_view fileTypeFilter);

// Why a program file is not of a kind the chip's file filter offers (its extension is none of
// the filter's "*.ext" patterns, compared without regard to case): the message naming the
// file's type and the chip's; empty when it is one of them.
std::string ProgramFileTypeProblem(std::string_view fileTypeFilter, const std::string& path);

}  // namespace vexlor
