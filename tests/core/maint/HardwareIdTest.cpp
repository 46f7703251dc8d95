#include <gtest/gtest.h>

#include "MaintRig.h"
#include "core/maint/HardwareId.h"
#include "core/maint/UserManual.h"

namespace vexlor::test {
namespace {

TEST(HardwareId, MessageByModelBytes) {
    struct Case {
        std::optional<HardwareId> id;
        std::string message;
    };
    const std::string none = "Writer No Hardware ID";
    const Case cases[] = {
        {HardwareId{'K', 'L', 'W', 0x09, 0x00, 0x00, 0x0A, 0xBC},
         "Hardware : KLW2x \n            ID : 000abc"},
        {HardwareId{'K', 'L', 'W', 0x01, 0x00, 0xFF, 0xFF, 0xFF},
         "Hardware : KLW300 \n            ID : ffffff"},
        {HardwareId{'K', 'L', 'W', 0x01, 0x01, 0x12, 0x34, 0x56},
         "Hardware : KLW300A \n            ID : 123456"},
        {HardwareId{'K', 'L', 'W', 0x01, 0x02, 0x12, 0x34, 0x56}, none},
        {HardwareId{'K', 'L', 'V', 0x01, 0x01, 0x12, 0x34, 0x56}, none},
        {std::nullopt, none},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HardwareIdMessage(c.id), c.message);
    }
}

TEST(UserManual, OpensTheManualOrSaysItIsMissing) {
    ScratchDir base;
    RecordingOperator op;
    std::vector<std::filesystem::path> opened;
    const auto open = [&opened](const std::filesystem::path& path) { opened.push_back(path); };
    EXPECT_EQ(OnUserManual(op, base.path(), open), MaintOutcome::BadFile);
    EXPECT_EQ(op.last().text, "Can't Find User Manual");
    EXPECT_TRUE(opened.empty());
    const auto manual = base.write(kUserManualFile, "%PDF-1.4");
    EXPECT_EQ(OnUserManual(op, base.path(), open), MaintOutcome::Ok);
    EXPECT_EQ(opened, std::vector<std::filesystem::path>{manual});
}

}  // namespace
}  // namespace vexlor::test
