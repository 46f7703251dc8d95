#include "core/serial/ProgramDatabase.h"

#include <sqlite3.h>

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
    " serial TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS production_log ("
    " id INTEGER PRIMARY KEY,"
    " time TEXT NOT NULL,"
    " writer TEXT NOT NULL,"
    " chip TEXT NOT NULL,"
    " checksum TEXT NOT NULL,"
    " serial TEXT NOT NULL,"
    " passed INTEGER NOT NULL,"
    " message TEXT NOT NULL);";

}  // namespace

void StatementDeleter::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

Statement Prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
    return Statement(raw);
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

bool Exec(sqlite3* db, const char* sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        error = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        return false;
    }
    return true;
}

sqlite3* OpenProgramDatabase(const std::filesystem::path& path, std::string& error) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return nullptr;
    }
    // Another process holding the database briefly (a second program) is waited for.
    sqlite3_busy_timeout(db, 2000);
    if (!Exec(db, "PRAGMA synchronous=FULL;", error) || !Exec(db, kSchema, error)) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

void CloseProgramDatabase(sqlite3* db) {
    sqlite3_close(db);
}

}  // namespace vexlor
