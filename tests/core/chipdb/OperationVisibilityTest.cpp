#include <gtest/gtest.h>

#include "core/chipdb/OperationVisibility.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

OperationVisibilityTable tableWith(const std::string& name, const std::string& value) {
    OperationVisibilityTable table = InitialOperationVisibility();
    for (auto& entry : table) {
        if (entry.name == name) {
            entry.value = value;
        }
    }
    return table;
}

// The delivered file, written by hand, shows every operation: read over a table whose
// entries are all hidden, it names each of them.
TEST(OperationVisibility, DeliveredFileNamesEveryOperationOfTheTable) {
    OperationVisibilityTable table = InitialOperationVisibility();
    ASSERT_EQ(table.back().name, "");
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        EXPECT_EQ(table[i].value, "1") << table[i].name;
        table[i].value = "0";
    }
    test::RecordingOperator op;
    const std::filesystem::path file = std::filesystem::path(VEXLOR_SOURCE_DATA) / "KLW_Read.xml";
    ASSERT_TRUE(ReadOperationVisibility(op, file, table));
    EXPECT_EQ(table, InitialOperationVisibility());
    EXPECT_TRUE(op.shown.empty());
}

TEST(OperationVisibility, RootChildrenSetTheNamedEntries) {
    test::ScratchDir scratch;
    test::RecordingOperator op;
    struct Case {
        const char* what;
        const char* content;
        OperationVisibilityTable expected;
    };
    const Case cases[] = {
        {"verify hidden", "<Ops><Verify>0</Verify></Ops>", tableWith("Verify", "0")},
        {"read text kept as written", "<Ops><Read> no </Read></Ops>", tableWith("Read", "no")},
        {"last occurrence wins", "<Ops><Auto>0</Auto><Auto>1</Auto><Program>2</Program></Ops>",
         tableWith("Program", "2")},
        {"names are case-sensitive and only at the first level",
         "<Ops><verify>0</verify><Group><Auto>0</Auto></Group></Ops>",
         InitialOperationVisibility()},
    };
    for (const Case& c : cases) {
        OperationVisibilityTable table = InitialOperationVisibility();
        EXPECT_TRUE(ReadOperationVisibility(op, scratch.write("KLW_Read.xml", c.content), table))
            << c.what;
        EXPECT_EQ(table, c.expected) << c.what;
    }
    EXPECT_TRUE(op.shown.empty());
}

TEST(OperationVisibility, MissingFileIsSilentAndUnreadableFileIsReported) {
    test::ScratchDir scratch;
    struct Case {
        const char* what;
        const char* content;  // nullptr: no file
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"missing", nullptr, {}},
        {"malformed", "<Ops><Verify>0</Ops>", {"Open XML File Fail"}},
        {"no element", "<?xml version=\"1.0\"?>", {"Read xml root node Fail"}},
    };
    for (const Case& c : cases) {
        test::RecordingOperator op;
        const auto file = scratch.path() / (std::string(c.what) + ".xml");
        if (c.content != nullptr) {
            scratch.write(file.filename().string(), c.content);
        }
        OperationVisibilityTable table = tableWith("Read", "0");
        EXPECT_FALSE(ReadOperationVisibility(op, file, table)) << c.what;
        EXPECT_EQ(table, tableWith("Read", "0")) << c.what;
        EXPECT_EQ(op.headlines(), c.messages) << c.what;
    }
}

}  // namespace
}  // namespace vexlor
