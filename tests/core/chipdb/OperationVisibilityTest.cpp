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
    const auto check = [&](const char* what, const char* content,
                           const OperationVisibilityTable& expected) {
        OperationVisibilityTable table = InitialOperationVisibility();
        EXPECT_TRUE(ReadOperationVisibility(op, scratch.write("KLW_Read.xml", content), table))
            << what;
        EXPECT_EQ(table, expected) << what;
    };
    check("verify hidden", "<Ops><Verify>0</Verify></Ops>", tableWith("Verify", "0"));
    check("read text kept as written", "<Ops><Read> no </Read></Ops>", tableWith("Read", "no"));
    check("last occurrence wins", "<Ops><Auto>0</Auto><Auto>1</Auto><Program>2</Program></Ops>",
          tableWith("Program", "2"));
    check("names are case-sensitive and only at the first level",
          "<Ops><verify>0</verify><Group><Auto>0</Auto></Group></Ops>",
          InitialOperationVisibility());
    EXPECT_TRUE(op.shown.empty());
}

TEST(OperationVisibility, MissingFileIsSilentAndUnreadableFileIsReported) {
    test::ScratchDir scratch;
    // A null content writes no file.
    const auto check = [&](const char* what, const char* content,
                           const std::vector<std::string>& messages) {
        test::RecordingOperator op;
        const auto file = scratch.path() / (std::string(what) + ".xml");
        if (content != nullptr) {
            scratch.write(file.filename().string(), content);
        }
        OperationVisibilityTable table = tableWith("Read", "0");
        EXPECT_FALSE(ReadOperationVisibility(op, file, table)) << what;
        EXPECT_EQ(table, tableWith("Read", "0")) << what;
        EXPECT_EQ(op.headlines(), messages) << what;
    };
    check("missing", nullptr, {});
    check("malformed", "<Ops><Verify>0</Ops>", {"Open XML File Fail"});
    check("no element", "<?xml version=\"1.0\"?>", {"Read xml root node Fail"});
}

}  // namespace
}  // namespace vexlor
