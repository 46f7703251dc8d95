#include "core/serial/SerialJournal.h"

#include <sqlite3.h>

namespace vexlor {

SerialJournal::~SerialJournal() {
    CloseProgramDatabase(db_);
}

bool SerialJournal::ready() {
    if (!db_) {
        db_ = OpenProgramDatabase(path_, error_);
    }
    return db_ != nullptr;
}

std::optional<OpenSerialRun> SerialJournal::openRun() {
    if (!ready()) {
        return std::nullopt;
    }
    const Statement statement =
        Prepare(db_,
                "SELECT chip, ok_count, ng_count, total_count, current_serial "
                "FROM serial_run WHERE open = 1 ORDER BY id DESC LIMIT 1");
    sqlite3_stmt* raw = statement.get();
    if (!statement || sqlite3_step(raw) != SQLITE_ROW) {
        return std::nullopt;
    }
    OpenSerialRun run;
    run.chipName = ColumnText(raw, 0);
    run.counters = {ColumnText(raw, 1), ColumnText(raw, 2), ColumnText(raw, 3)};
    run.currentSerial = ColumnText(raw, 4);
    return run;
}

bool SerialJournal::beginRun(const std::string& chipName) {
    if (!ready()) {
        return false;
    }
    if (openRun()) {
        return true;
    }
    const Statement statement = Prepare(db_, "INSERT INTO serial_run (chip) VALUES (?1)");
    sqlite3_stmt* raw = statement.get();
    if (!statement) {
        error_ = sqlite3_errmsg(db_);
        return false;
    }
    sqlite3_bind_text(raw, 1, chipName.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(raw) != SQLITE_DONE) {
        error_ = sqlite3_errmsg(db_);
        return false;
    }
    return true;
}

bool SerialJournal::recordChip(bool passed, const std::string& serialUsed,
                               const SerialCounters& counters, const std::string& currentSerial,
                               const ProductionEntry* logEntry) {
    if (!ready() || !exec("BEGIN IMMEDIATE;")) {
        return false;
    }
    const Statement chip = Prepare(db_,
                                   "INSERT INTO serial_chip (run_id, passed, serial) "
                                   "SELECT id, ?1, ?2 FROM serial_run WHERE open = 1");
    const Statement run =
        Prepare(db_,
                "UPDATE serial_run SET ok_count = ?1, ng_count = ?2, total_count = ?3, "
                "current_serial = ?4 WHERE open = 1");
    sqlite3_stmt* rawChip = chip.get();
    sqlite3_stmt* rawRun = run.get();
    bool ok = chip && run;
    if (ok) {
        sqlite3_bind_int(rawChip, 1, passed ? 1 : 0);
        sqlite3_bind_text(rawChip, 2, serialUsed.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rawRun, 1, counters.ok.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rawRun, 2, counters.ng.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rawRun, 3, counters.total.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(rawRun, 4, currentSerial.c_str(), -1, SQLITE_TRANSIENT);
        ok = sqlite3_step(rawChip) == SQLITE_DONE && sqlite3_step(rawRun) == SQLITE_DONE;
    }
    if (!ok) {
        error_ = sqlite3_errmsg(db_);
    } else if (logEntry) {
        ok = InsertProductionEntry(db_, *logEntry, error_);
    }
    if (!ok) {
        exec("ROLLBACK;");
        return false;
    }
    return exec("COMMIT;");
}

bool SerialJournal::resetCounters() {
    return ready() && exec(
                          "UPDATE serial_run SET ok_count = '0', ng_count = '0', total_count = '0' "
                          "WHERE open = 1;");
}

bool SerialJournal::endRun() {
    return ready() && exec("UPDATE serial_run SET open = 0 WHERE open = 1;");
}

}  // namespace vexlor
