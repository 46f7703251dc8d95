#include "core/writer/WriterLink.h"

#include <unistd.h>

#include <algorithm>

namespace vexlor {

WriterLink::~WriterLink() {
    for (int fd : {readPipe, writePipe}) {
        if (fd != kInvalidPipe) {
            ::close(fd);
        }
    }
}

std::string VersionString(const std::array<std::uint8_t, kVersionTextSize>& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

}  // namespace vexlor
