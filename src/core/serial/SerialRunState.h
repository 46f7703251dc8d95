#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/serial/SerialImage.h"

namespace vexlor {

inline constexpr std::uint8_t kMaxSerialLength = 16;

// The serial-number run one program works on: what the Set dialog entered, what the writer
// holds and the Program dialog's counters as text.
struct SerialRunState {
    std::string currentSerial = "0000000000000000";
    std::string endSerial = "0000000000000000";
    std::string amountText = "0";
    std::uint32_t startAddress = 0;
    std::uint32_t endAddress = 0;
    std::uint8_t lengthBytes = 8;
    std::uint8_t direction = 0;
    SerialImage startImage{};
    SerialImage endImage{};
    bool loadedToWriter = false;
    bool viewOnly = false;
    std::string okText;
    std::string ngText;
    std::string totalText;

    // The values at start-up and whenever the Set dialog opens for editing; loadedToWriter is
    // kept.
    void ResetToStartUp();
    // The values once the Program dialog is closed: 16-byte numbers, counters zero.
    void ResetAfterClose();
};

// The number left-padded with '0' to twice lengthBytes characters; a longer text is returned
// whole. nullopt when lengthBytes is outside 1..16 (the field then keeps what it shows).
std::optional<std::string> PadSerialForDisplay(const std::string& text, std::uint8_t lengthBytes);

}  // namespace vexlor
