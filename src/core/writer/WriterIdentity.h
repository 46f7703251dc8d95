#pragma once

#include <cstdint>
#include <string_view>

namespace vexlor {

inline constexpr std::uint16_t kWriterVendorId = 0x7A5C;
inline constexpr std::uint16_t kWriterProductId = 0x0C31;
inline constexpr int kWriterConfiguration = 1;
inline constexpr int kWriterInterface = 0;
inline constexpr std::uint8_t kWriterBulkOut = 0x02;
inline constexpr std::uint8_t kWriterBulkIn = 0x81;

// Device-interface class of the writer; device names are searched for the lower-case text.
inline constexpr std::string_view kWriterClassGuid = "{3D7E41A2-5C19-4F60-9B8E-61A0C2D4F7B3}";
inline constexpr std::string_view kWriterClassGuidText = "3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3";

// Where device-file interfaces appear: one sub-directory per interface, holding PIPE00 (in)
// and PIPE01 (out). VEXLOR_DEVICE_DIR overrides the default.
inline constexpr std::string_view kDefaultDeviceDirectory = "/run/vexlor-writer";

}  // namespace vexlor
