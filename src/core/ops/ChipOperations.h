#pragma once

#include "core/ops/JobServices.h"

namespace vexlor {

// The operations the writer performs on the chip in its socket.
enum class ChipOperation { Auto, BlankCheck, Program, Verify };

inline constexpr const char* kOperationCursor = "metronom.ani";
inline constexpr const char* kReadDataFile = "readdata.otp";
// Read's buffer: the longest read the writer answers.
inline constexpr std::uint32_t kReadBufferSize = 0x20000;

// Checks the job the writer holds, runs the operation's writer job and reports OK or FAIL.
JobOutcome RunChipOperation(JobServices& services, ChipOperation operation);

JobOutcome OnAuto(JobServices& services);
JobOutcome OnBlankCheck(JobServices& services);
JobOutcome OnProgram(JobServices& services);
JobOutcome OnVerify(JobServices& services);

// Reads the chip into "readdata.otp" and shows it in the hex view.
JobOutcome OnRead(JobServices& services);
// The Read job and the file; false (after a message) when nothing could be read.
bool ReadChipContents(JobServices& services);

}  // namespace vexlor
