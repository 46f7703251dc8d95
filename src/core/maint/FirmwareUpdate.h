#pragma once

#include <filesystem>

#include "core/maint/MaintServices.h"

namespace vexlor {

inline constexpr const char* kFirmwareFileFilter = "QvIce Nce Files (*.nce)|*.nce||";
inline constexpr const char* kFirmwareUpdateCursor = "dinosaur.ani";

// True when the file can be read and carries a writer model code where the image keeps it.
bool FirmwareFileHasModelCode(const std::filesystem::path& path);

// Update F/W: asks for the image file, then UpdateFirmwareFrom.
MaintOutcome OnUpdateFirmware(MaintServices& s);
// Writes the image into the writer; a file without a model code is refused before anything is
// sent.
MaintOutcome UpdateFirmwareFrom(MaintServices& s, const std::filesystem::path& path);

// Reset Writer F/W: after the operator agrees, the base firmware and the default option
// buffer go back into the writer.
MaintOutcome OnResetWriterFirmware(MaintServices& s);

}  // namespace vexlor
