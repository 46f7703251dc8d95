#include "core/serial/SerialJournal.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

// A journal that cannot be used makes every call fail with the database's reason; the run
// itself is the caller's and goes on.
TEST(SerialJournal, AnUnusableFileFailsEveryCallWithItsReason) {
    ScratchDir dir;
    dir.write("garbage.db", std::string(4096, 'x'));
    // A database of another program that has a run table of its own.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "other.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(other, "CREATE TABLE serial_run (name TEXT);", nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(other);
    const std::pair<const char*, const char*> cases[] = {{"garbage.db", "not a database"},
                                                         {"other.db", "column"}};
    for (const auto& [file, reason] : cases) {
        SCOPED_TRACE(file);
        SerialJournal journal(dir / file);
        EXPECT_FALSE(journal.openRun().has_value());
        EXPECT_FALSE(journal.beginRun("QR31N4365"));
        EXPECT_NE(journal.error().find(reason), std::string::npos) << journal.error();
        EXPECT_FALSE(journal.recordChip(true, "A0", {"1", "0", "1"}, "A1"));
        EXPECT_NE(journal.error().find(reason), std::string::npos) << journal.error();
        EXPECT_FALSE(journal.resetCounters());
        EXPECT_FALSE(journal.endRun());
    }
}

}  // namespace
}  // namespace vexlor::test
