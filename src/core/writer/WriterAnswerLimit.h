#pragma once

namespace vexlor {

// How long the own path waits for the writer in one exchange: one bulk transfer on libusb, one
// wait for a pipe to become readable or writable on the device files. A writer silent for this
// long (a status block that never comes) is taken as gone: that exchange and every later one on
// the same connection fail, so a silent writer costs the program one wait, not one per piece.
// The connection is usable again once the writer is opened anew.
inline constexpr int kWriterAnswerLimitMs = 10000;

}  // namespace vexlor
