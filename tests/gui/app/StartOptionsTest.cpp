#include <gtest/gtest.h>

#include "gui/app/CWriterApp.h"

namespace vexlor::gui {
namespace {

TEST(StartOptions, ParsesTheCommandLine) {
    struct Case {
        QStringList arguments;
        std::string error;  // empty: accepted
        bool simulate;
        bool detached;
        std::string base;
        std::string version;
    };
    const Case cases[] = {
        {{}, "", false, false, "", ""},
        {{"--simulate", "--base-dir", "build/base"}, "", true, false, "build/base", ""},
        {{"--simulate", "--sim-version", "V1.1", "--sim-detached"},
         "",
         true,
         true,
         "",
         "USB STANDALONE WRITER_V1.1"},
        {{"--sim-version", "MY WRITER"}, "", false, false, "", "MY WRITER"},
        {{"--verbose", "--simulate"}, "", true, false, "", ""},
        {{"--base-dir"}, "--base-dir needs a value", false, false, "", ""},
        {{"--simulated"}, "unknown option --simulated", false, false, "", ""},
    };
    for (const Case& c : cases) {
        StartOptions options;
        QString error;
        const bool ok =
            ParseStartOptions(QStringList{"vexlor-writer"} + c.arguments, options, error);
        const std::string line = c.arguments.join(' ').toStdString();
        EXPECT_EQ(ok, c.error.empty()) << line;
        EXPECT_EQ(error.toStdString(), c.error) << line;
        if (ok) {
            EXPECT_EQ(options.simulate, c.simulate) << line;
            EXPECT_EQ(options.simulatedDetached, c.detached) << line;
            EXPECT_EQ(options.baseDirectory.value_or("").string(), c.base) << line;
            EXPECT_EQ(options.simulatedVersion, c.version) << line;
            EXPECT_EQ(options.verbose, c.arguments.contains("--verbose")) << line;
        }
    }
}

}  // namespace
}  // namespace vexlor::gui
