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
        {"nulls.txt", nullptr},
        {"../x", "reaches outside"},
        {"a/../../x", "reaches outside"},
        {"/etc/passwd", "absolute"},
        {"C:\\x", "absolute"},
        {"CON", "device"},
        {"dir/nul.txt", "device"},
        {"com1", "device"},
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

}  // namespace
}  // namespace vexlor
