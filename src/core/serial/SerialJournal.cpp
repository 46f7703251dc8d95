#include "core/serial/SerialJournal.h"

#include <sqlite3.h>

#include <memory>

namespace vexlor {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS serial_run ("
    " id INTEGER PRIMARY KEY,"
    " chip TEXT NOT NULL,"
    " ok_count TEXT NOT NULL DEFAULT '0',"
    " ng_count TEXT NOT NULL DEFAULT '0',"
    " total_count TEXT NOT NULL DEFAULT '0',"
    " current_serial TEXT NOT NULL DEFAULT '',"
    " open INTEGER NOT NULL DEFAULT 1);"
    "CREATE TABLE IF NOT EXISTS serial_chip ("
    " run_id INTEGER NOT NULL REFERENCES serial_run(id),"
    " passed INTEGER NOT NULL,"
    " serial TEXT NOT NULL);";

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// Null when the statement cannot be prepared.
Statement prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
    return Statement(raw);
}

std::string columnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

SerialJournal::~SerialJournal() {
    sqlite3_close(db_);
}

bool SerialJournal::ready() {
    if (db_) {
        return true;
    }
    if (sqlite3_open(path_.c_str(), &db_) != SQLITE_OK) {
        error_ = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    // Another process holding the database briefly (a second program) is waited for.
    sqlite3_busy_timeout(db_, 2000);
    if (!exec("PRAGMA synchronous=FULL;") || !exec(kSchema)) {
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    return true;
}

bool SerialJournal::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        error_ = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        return false;
    }
    return true;
}

std::optional<OpenSerialRun> SerialJournal::openRun() {
    if (!ready()) {
        return std::nullopt;
    }
    const Statement statement =
        prepare(db_,
                "SELECT chip, ok_count, ng_count, total_count, current_serial "
                "FROM serial_run WHERE open = 1 ORDER BY id DESC LIMIT 1");
    sqlite3_stmt* raw = statement.get();
    if (!statement || sqlite3_step(raw) != SQLITE_ROW) {
        return std::nullopt;
    }
    OpenSerialRun run;
    run.chipName = columnText(raw, 0);
    run.counters = {columnText(raw, 1), columnText(raw, 2), columnText(raw, 3)};
    run.currentSerial = columnText(raw, 4);
    return run;
}

bool SerialJournal::beginRun(const std::string& chipName) {
    if (!ready()) {
        return false;
    }
    if (openRun()) {
        return true;
    }
    const Statement statement = prepare(db_, "INSERT INTO serial_run (chip) VALUES (?1)");
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
                               const SerialCounters& counters, const std::string& currentSerial) {
    if (!ready() || !exec("BEGIN IMMEDIATE;")) {
        return false;
    }
    const Statement chip = prepare(db_,
                                   "INSERT INTO serial_chip (run_id, passed, serial) "
                                   "SELECT id, ?1, ?2 FROM serial_run WHERE open = 1");
    const Statement run =
        prepare(db_,
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
