#include "core/base/InstalledLayout.h"

#include <gtest/gtest.h>

#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

TEST(InstalledLayoutTest, UserDataDirectoryFollowsXdgThenHome) {
    EXPECT_EQ(UserDataDirectory("/x", "/h"), fs::path("/x/vexlor-writer"));
    EXPECT_EQ(UserDataDirectory("relative", "/h"), fs::path("/h/.local/share/vexlor-writer"));
    EXPECT_EQ(UserDataDirectory(nullptr, ""), std::nullopt);
}

TEST(InstalledLayoutTest, StartsFillTheUserDirectoryWithoutOverwritingTheUsersFiles) {
    ScratchDir scratch;
    fs::create_directories(scratch / "bin");
    scratch.write("share/vexlor-writer/VexlorMsg.xml", "shared");
    scratch.write("share/vexlor-writer/firmware/20test.nce", "image");
    fs::permissions(scratch / "share/vexlor-writer/VexlorMsg.xml", fs::perms::owner_read);
    const fs::path user = scratch / "home/.local/share/vexlor-writer";
    const auto start = [&] {
        std::string error;
        EXPECT_EQ(
            InstalledBaseDirectory(scratch / "bin", nullptr, (scratch / "home").c_str(), error),
            user);
        EXPECT_EQ(error, "");
    };
    start();
    EXPECT_EQ(readText(user / "firmware/20test.nce"), "image");
    EXPECT_NE(fs::status(user / "VexlorMsg.xml").permissions() & fs::perms::owner_write,
              fs::perms::none);
    scratch.write("home/.local/share/vexlor-writer/VexlorMsg.xml", "edited");
    fs::remove(user / "firmware/20test.nce");
    start();
    EXPECT_EQ(readText(user / "VexlorMsg.xml"), "edited");
    EXPECT_EQ(readText(user / "firmware/20test.nce"), "image");
    std::string error;
    EXPECT_EQ(
        InstalledBaseDirectory(scratch / "elsewhere/bin", nullptr, scratch.path().c_str(), error),
        std::nullopt)
        << "no shared data beside the program: a build tree";
    EXPECT_EQ(InstalledBaseDirectory(scratch / "bin", nullptr, nullptr, error), std::nullopt);
    EXPECT_NE(error, "");
    scratch.write("file", "");
    EXPECT_FALSE(FillUserDataDirectory(scratch / "share/vexlor-writer", scratch / "file", error));
}

}  // namespace
}  // namespace vexlor::test
