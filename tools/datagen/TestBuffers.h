#pragma once

#include <cstdint>
#include <vector>

#include "OptionTemplate.h"

namespace vexlor::datagen {

// test_option.prog: the default option buffer of a firmware reset and of the self-tests. Its
// chip name matches no chip family, so the writer's job is not restored from it.
OptionBlock MakeTestOptionBuffer();

// test_data.prog: data-area test pattern; each byte mixes both bytes of its offset so a
// shifted or repeated block does not read back equal.
std::vector<std::uint8_t> MakeTestDataBuffer();

// serial.txt as installed: a valid option header without a chip, holding the serial run of a
// fresh start (length 8 at address 0, first number 0, one number).
OptionBlock MakeSerialBlock();

}  // namespace vexlor::datagen
