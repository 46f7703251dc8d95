#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/base/Clock.h"

namespace vexlor {

inline constexpr const char* kOptionDecoderName = "xmldec";

enum class DecoderRun {
    Finished,    // the decoder exited with status 0
    NotStarted,  // no such program, or it could not be started
    Failed,      // it exited with another status or was killed
    TimedOut,    // it was still running at the time limit and has been stopped
};

// The first directory that holds an executable decoder.
std::optional<std::filesystem::path> FindOptionDecoder(
    const std::vector<std::filesystem::path>& directories);

// Runs "<decoder> --f <encodedFile>" in workingDirectory, without a shell, and waits for it to
// exit, at most limitMs by the clock.
DecoderRun RunOptionDecoder(const std::filesystem::path& decoder,
                            const std::filesystem::path& encodedFile,
                            const std::filesystem::path& workingDirectory, Clock& clock,
                            std::uint32_t limitMs);

}  // namespace vexlor
