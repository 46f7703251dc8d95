// A database whose production log has another shape: nothing is written, reads report why, and
// a journaled chip whose log entry fails leaves the run's numbers as they were.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "core/serial/ProductionLog.h"
#include "core/serial/SerialJournal.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

TEST(ProductionLogFaults, AForeignLogTableRefusesEntriesAndKeepsTheRunUnchanged) {
    ScratchDir dir;
    const auto file = dir / kJournalDatabaseFile;
    std::string error;
    sqlite3* db = OpenProgramDatabase(file, error);
    ASSERT_NE(db, nullptr) << error;
    ASSERT_TRUE(
        Exec(db, "DROP TABLE production_log; CREATE TABLE production_log (at TEXT);", error))
        << error;
    CloseProgramDatabase(db);

    ProductionLog log(file);
    const ProductionEntry entry{"t", "simulated", "QRV7049", "ab", "00A0", true, ""};
    EXPECT_FALSE(log.append(entry));
    EXPECT_NE(log.error().find("no column named time"), std::string::npos) << log.error();
    EXPECT_FALSE(log.entriesSince("").has_value());
    EXPECT_FALSE(log.serialsGiven("QRV7049", "00A0", "00FF").has_value());
    EXPECT_NE(log.error().find("no such column"), std::string::npos) << log.error();

    SerialJournal journal(file);
    ASSERT_TRUE(journal.beginRun("QRV7049")) << journal.error();
    EXPECT_FALSE(journal.recordChip(true, "00A0", {"1", "0", "1"}, "00A1", &entry));
    EXPECT_NE(journal.error().find("no column named time"), std::string::npos) << journal.error();
    const auto run = journal.openRun();
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->counters, SerialCounters{});
    EXPECT_EQ(run->currentSerial, "");
}

// Statements that prepare but fail while they run: the reason comes back, nothing half-done.
TEST(ProductionLogFaults, AStatementThatFailsWhileRunningReportsTheReason) {
    ScratchDir dir;
    const auto file = dir / kJournalDatabaseFile;
    ProductionLog log(file);
    const ProductionEntry entry{"t", "simulated", "QRV7049", "ab", "00A0", true, ""};
    ASSERT_TRUE(log.append(entry)) << log.error();
    std::string error;
    sqlite3* db = OpenProgramDatabase(file, error);
    ASSERT_NE(db, nullptr) << error;
    ASSERT_TRUE(Exec(db,
                     "CREATE TRIGGER refuse BEFORE INSERT ON production_log "
                     "BEGIN SELECT RAISE(ABORT, 'the log is sealed'); END;",
                     error))
        << error;
    EXPECT_FALSE(log.append(entry));
    EXPECT_EQ(log.error(), "the log is sealed");
    EXPECT_EQ(log.entriesSince("")->size(), 1u);

    // A log whose rows cannot be computed fails the read instead of returning a part of it.
    ASSERT_TRUE(Exec(db,
                     "DROP TABLE production_log; CREATE VIEW production_log AS SELECT 1 AS id, "
                     "'t' AS time, 'w' AS writer, 'c' AS chip, 'x' AS checksum, '1' AS serial, "
                     "1 AS passed, abs(-9223372036854775807 - 1) AS message;",
                     error))
        << error;
    CloseProgramDatabase(db);
    EXPECT_FALSE(log.entriesSince("").has_value());
    EXPECT_EQ(log.error(), "integer overflow");
}

// A journal step the database refuses while it runs: the reason comes back and no part of the
// chip's record stays behind.
TEST(ProductionLogFaults, AJournalStepRefusedWhileRunningLeavesTheRunAsItWas) {
    const struct {
        const char* event;
        bool runBegins;
    } cases[] = {{"INSERT ON serial_run", false},
                 {"INSERT ON serial_chip", true},
                 {"UPDATE ON serial_run", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        ScratchDir dir;
        const auto file = dir / kJournalDatabaseFile;
        std::string error;
        sqlite3* db = OpenProgramDatabase(file, error);
        ASSERT_NE(db, nullptr) << error;
        const std::string trigger = std::string("CREATE TRIGGER refuse BEFORE ") + c.event +
                                    " BEGIN SELECT RAISE(ABORT, 'refused'); END;";
        ASSERT_TRUE(Exec(db, trigger.c_str(), error)) << error;
        SerialJournal journal(file);
        EXPECT_EQ(journal.beginRun("QRV7049"), c.runBegins);
        if (c.runBegins) {
            EXPECT_FALSE(journal.recordChip(true, "00A0", {"1", "0", "1"}, "00A1", nullptr));
            EXPECT_EQ(journal.openRun()->counters, SerialCounters{});
        }
        EXPECT_EQ(journal.error(), "refused");
        // Once the database takes it again, the same chip is recorded once.
        ASSERT_TRUE(Exec(db, "DROP TRIGGER refuse;", error)) << error;
        EXPECT_TRUE(journal.beginRun("QRV7049") &&
                    journal.recordChip(true, "00A0", {"1", "0", "1"}, "00A1", nullptr))
            << journal.error();
        {
            // Finalised before the close: a connection with a live statement stays open.
            const Statement chips = Prepare(db, "SELECT count(*) FROM serial_chip");
            ASSERT_EQ(sqlite3_step(chips.get()), SQLITE_ROW);
            EXPECT_EQ(ColumnText(chips.get(), 0), "1");
        }
        CloseProgramDatabase(db);
    }
}

TEST(ProductionLogFaults, APlaceThatIsNoDatabaseFailsWithTheReason) {
    ScratchDir dir;
    dir.write("garbage.db", std::string(4096, 'x'));
    std::filesystem::create_directories(dir / "folder.db");
    const std::pair<const char*, const char*> cases[] = {{"garbage.db", "not a database"},
                                                         {"folder.db", "unable to open"}};
    for (const auto& [name, reason] : cases) {
        ProductionLog log(dir / name);
        EXPECT_FALSE(log.append({}));
        EXPECT_FALSE(log.entriesSince("").has_value());
        EXPECT_NE(log.error().find(reason), std::string::npos) << name << ": " << log.error();
    }
    EXPECT_EQ(readText(dir / "garbage.db"), std::string(4096, 'x'));
}

}  // namespace
}  // namespace vexlor::test
