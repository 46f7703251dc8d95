#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vexlor::sim {

// The chip in the writer's socket. It behaves like one-time-programmable memory: a byte can
// be programmed while it is blank (or already holds the value), never changed afterwards.
class SimChip {
  public:
    static constexpr std::uint16_t kBlankSystemConfig = 0xFFFF;

    SimChip(std::size_t size, std::uint8_t blank);

    bool present() const { return present_; }
    void remove() { present_ = false; }
    // A new, blank chip in the socket.
    void insertBlank();
    // A chip that already holds these bytes (the rest blank); longer contents are cut.
    void insert(std::span<const std::uint8_t> contents);

    bool isBlank() const;
    // Programs image at chip offset 0 as far as both reach; false when the chip is missing,
    // the image does not fit or a byte could not take its value (programming stops there).
    bool program(std::span<const std::uint8_t> image);
    bool matches(std::span<const std::uint8_t> image) const;

    std::span<const std::uint8_t> contents() const { return cells_; }
    std::uint8_t blankValue() const { return blank_; }

    // The chip's system configuration word: all ones on a new chip, set by every Program.
    std::uint16_t systemConfig() const { return systemConfig_; }
    void setSystemConfig(std::uint16_t word) { systemConfig_ = word; }

  private:
    std::vector<std::uint8_t> cells_;
    std::uint8_t blank_;
    bool present_ = true;
    std::uint16_t systemConfig_ = kBlankSystemConfig;
};

}  // namespace vexlor::sim
