#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexlor {

// File-dialog filters of the program-file kinds, in the "Description (*.ext)|*.ext||" form.
inline constexpr std::string_view kObjFilter = "QvIce Obj Files (*.obj)|*.obj||";
inline constexpr std::string_view kHexFilter = "QvIce Hex Files (*.hex)|*.hex||";
inline constexpr std::string_view kOtpFilter = "QvIce Otp Files (*.otp)|*.otp||";
inline constexpr std::string_view kEpmFilter = "QvIce Epm Files (*.epm)|*.epm||";
inline constexpr std::string_view kHexOrBinFilter =
    "QvIce Hex Files (*.hex)|*.hex|QvIce Bin Files (*.bin)|*.bin||";
inline constexpr std::string_view kNceFilter = "QvIce Nce Files (*.nce)|*.nce||";
inline constexpr std::string_view kOrvoFilter = "QvIce Orvo Files (*.orvo)|*.orvo||";
inline constexpr std::string_view kZipFilter = "Update Zip Files (*.zip)|*.zip||";

// The extensions a filter's patterns name: "A (*.hex)|*.hex|B (*.bin)|*.bin||" gives ".hex"
// and ".bin".
std::vector<std::string> filterExtensions(std::string_view filter);
// The same as a list for a message: "*.hex, *.bin"; empty when the filter names none.
std::string filterPatternList(std::string_view filter);

}  // namespace vexlor
