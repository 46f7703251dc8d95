#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vexlor {

using Bytes = std::vector<std::uint8_t>;

// No program file, template or image of any chip comes near this; anything larger is refused
// rather than read into memory.
inline constexpr std::size_t kLargestReadableFile = 64u << 20;

// Whole-file reads and writes; every failure is a plain "no" the caller turns into its message.
// Files larger than kLargestReadableFile count as unreadable.
std::optional<Bytes> readFileBytes(const std::filesystem::path& path);
// The same file handed to take in pieces of at most kFilePieceBytes, in order, through one
// buffer, until take returns false; false when readFileBytes would refuse the file.
inline constexpr std::size_t kFilePieceBytes = 32u << 10;
bool readFilePieces(const std::filesystem::path& path,
                    const std::function<bool(std::span<const std::uint8_t>)>& take);
// A line to add to an "open file error" message when readFileBytes refused the file for its
// size ("The file is larger than the 64 MiB limit."); empty otherwise.
std::string sizeLimitNote(const std::filesystem::path& path);
// Creates the file or writes over its content, then cuts off any old bytes past the new end;
// false when it cannot be opened or written completely. Not atomic: a file that must never be
// seen half-written is written beside its place and renamed over it (see writeBufferFiles).
bool writeFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace vexlor
