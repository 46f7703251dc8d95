#include "core/base/InstalledLayout.h"

#include <gtest/gtest.h>

#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

TEST(InstalledLayoutTest, UserDataDirectoryFollowsXdgThenHome) {
    struct Case {
        const char* xdg;
        const char* home;
        std::optional<fs::path> expected;
    };
    for (const Case& c :
         {Case{"/x/data", "/home/u", fs::path("/x/data/vexlor-writer")},
          Case{nullptr, "/home/u", fs::path("/home/u/.local/share/vexlor-writer")},
          Case{"relative", "/home/u", fs::path("/home/u/.local/share/vexlor-writer")},
          Case{"", "/home/u", fs::path("/home/u/.local/share/vexlor-writer")},
          Case{nullptr, nullptr, std::nullopt}, Case{nullptr, "", std::nullopt}}) {
        EXPECT_EQ(UserDataDirectory(c.xdg, c.home), c.expected)
            << (c.xdg ? c.xdg : "-") << " " << (c.home ? c.home : "-");
    }
}

class InstalledLayoutFill : public ::testing::Test {
  protected:
    InstalledLayoutFill() {
        fs::create_directories(bin);
        scratch.write("share/vexlor-writer/VexlorMsg.xml", "shared messages");
        scratch.write("share/vexlor-writer/firmware/20test.nce", "image");
        fs::permissions(scratch / "share/vexlor-writer/VexlorMsg.xml", fs::perms::owner_read);
    }

    ScratchDir scratch;
    fs::path bin = scratch / "bin";
    fs::path user = scratch / "home/.local/share/vexlor-writer";
};

TEST_F(InstalledLayoutFill, FirstStartCopiesTheSharedDataAsWritableFiles) {
    std::string error;
    const auto base = InstalledBaseDirectory(bin, nullptr, (scratch / "home").c_str(), error);
    ASSERT_EQ(base, user);
    EXPECT_EQ(error, "");
    EXPECT_EQ(readText(user / "VexlorMsg.xml"), "shared messages");
    EXPECT_EQ(readText(user / "firmware/20test.nce"), "image");
    EXPECT_NE(fs::status(user / "VexlorMsg.xml").permissions() & fs::perms::owner_write,
              fs::perms::none);
}

TEST_F(InstalledLayoutFill, LaterStartsKeepTheUsersFilesAndAddNewOnes) {
    scratch.write("home/.local/share/vexlor-writer/VexlorMsg.xml", "edited by the user");
    std::string error;
    ASSERT_TRUE(InstalledBaseDirectory(bin, nullptr, (scratch / "home").c_str(), error));
    EXPECT_EQ(readText(user / "VexlorMsg.xml"), "edited by the user");
    EXPECT_EQ(readText(user / "firmware/20test.nce"), "image");
}

TEST_F(InstalledLayoutFill, BuildTreeAndMissingHomeAreTold) {
    std::string error;
    EXPECT_EQ(InstalledBaseDirectory(scratch / "elsewhere/bin", nullptr, "/h", error), std::nullopt)
        << "no shared data beside the program: not installed";
    EXPECT_EQ(error, "");
    EXPECT_EQ(InstalledBaseDirectory(bin, nullptr, nullptr, error), std::nullopt);
    EXPECT_NE(error, "");
}

TEST_F(InstalledLayoutFill, UnwritableUserDirectoryIsAnError) {
    scratch.write("home/.local/share/vexlor-writer", "a file where the directory should be");
    std::string error;
    EXPECT_FALSE(FillUserDataDirectory(scratch / "share/vexlor-writer", user, error));
    EXPECT_NE(error.find(user.string()), std::string::npos) << error;
}

}  // namespace
}  // namespace vexlor::test
