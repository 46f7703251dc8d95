#include <gtest/gtest.h>

#include "core/packages/PackagePaths.h"

namespace vexlor {
namespace {

TEST(PackagePaths, OnlyNamesThatStayInsideTheirFolderPass) {
    struct Case {
        std::string name;
        const char* problem;  // part of the reason, or nullptr when the name passes
    };
    const Case cases[] = {
        {"ICInfo", nullptr},
        {"res\\ICPicture", nullptr},
        {"a/./b/c.ic", nullptr},
        {"", nullptr},
        {"CONSOLE", nullptr},
        {"COM10", nullptr},
        {"nulls.txt", nullptr},
        {"..x", nullptr},
        {"../x", "reaches outside"},
        {"a/../../x", "reaches outside"},
        {"a\\..\\..\\x", "reaches outside"},
        {"..", "reaches outside"},
        {"/etc/passwd", "absolute"},
        {"\\x", "absolute"},
        {"C:\\x", "absolute"},
        {"c:x", "absolute"},
        {"CON", "device"},
        {"dir/nul.txt", "device"},
        {"com1", "device"},
        {"LPT9.log", "device"},
        {"aux .c", "device"},
        {std::string("x\0/../y", 7), "NUL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string problem = RelativePathProblem(c.name);
        if (c.problem == nullptr) {
            EXPECT_EQ(problem, "");
        } else {
            EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
        }
    }
}

TEST(PackagePaths, BackslashesAndDotsBecomeNativeComponents) {
    EXPECT_EQ(RelativePathOf("res\\ICPicture"), std::filesystem::path("res") / "ICPicture");
    EXPECT_EQ(RelativePathOf("./a//b/"), std::filesystem::path("a") / "b");
    EXPECT_EQ(RelativePathOf(""), std::filesystem::path());
}

}  // namespace
}  // namespace vexlor
