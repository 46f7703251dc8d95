#include "sim/SimChip.h"

#include <algorithm>

namespace vexlor::sim {

SimChip::SimChip(std::size_t size, std::uint8_t blank) : cells_(size, blank), blank_(blank) {}

void SimChip::insertBlank() {
    std::fill(cells_.begin(), cells_.end(), blank_);
    systemConfig_ = kBlankSystemConfig;
    present_ = true;
}

void SimChip::insert(std::span<const std::uint8_t> contents) {
    insertBlank();
    std::copy_n(contents.begin(), std::min(contents.size(), cells_.size()), cells_.begin());
}

bool SimChip::isBlank() const {
    return present_ && std::all_of(cells_.begin(), cells_.end(),
                                   [this](std::uint8_t cell) { return cell == blank_; });
}

bool SimChip::program(std::span<const std::uint8_t> image) {
    if (!present_ || image.size() > cells_.size()) {
        return false;
    }
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (cells_[i] != blank_ && cells_[i] != image[i]) {
            return false;
        }
        cells_[i] = image[i];
    }
    return true;
}

bool SimChip::matches(std::span<const std::uint8_t> image) const {
    return present_ && image.size() <= cells_.size() &&
           std::equal(image.begin(), image.end(), cells_.begin());
}

}  // namespace vexlor::sim
