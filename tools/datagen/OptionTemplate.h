#pragma once

#include <array>
#include <cstdint>

#include "core/chipdb/ICInfo.h"

namespace vexlor::datagen {

using OptionBlock = std::array<std::uint8_t, 256>;

// The per-chip template in hwversion1.0/ and hwversion1.1/: a prototype of
// buffer_option.prog laid out from the chip's parameters as the model converter would
// write them, so the family converters only overwrite the fields a program file decides.
OptionBlock MakeOptionTemplate(const ICInfo& chip);

// One-byte DAC code of a voltage, as the writer takes it.
std::uint8_t VoltageCode(float volts);

// The bytes every option header carries: the chip name and the fixed DAC set-up at 0x0A..0x0F
// for the given supply voltages, and the writer model at 0xCF.
void WriteHeaderBasics(OptionBlock& block, std::string_view chipName, float writeVdd,
                       float readVdd);

}  // namespace vexlor::datagen
