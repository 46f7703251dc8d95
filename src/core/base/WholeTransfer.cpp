#include "core/base/WholeTransfer.h"

#include <unistd.h>

#include <cerrno>

namespace vexlor {
namespace {

// Repeats call until every byte has moved: read and write may move fewer than asked.
template <typename Byte, typename Call>
bool TransferAll(int fd, std::span<Byte> bytes, Call call) {
    while (!bytes.empty()) {
        const ssize_t moved = call(fd, bytes.data(), bytes.size());
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(moved));
    }
    return true;
}

}  // namespace

bool ReadAll(int fd, std::span<std::uint8_t> bytes) {
    return TransferAll(fd, bytes, ::read);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    return TransferAll(fd, bytes, ::write);
}

}  // namespace vexlor
