#include "core/serial/ProductionLog.h"

#include <sqlite3.h>

#include "core/serial/ProgramDatabase.h"

namespace vexlor {

bool InsertProductionEntry(sqlite3* db, const ProductionEntry& entry, std::string& error) {
    const Statement statement =
        Prepare(db,
                "INSERT INTO production_log (time, writer, chip, checksum, "
                "serial, passed, message) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    sqlite3_stmt* raw = statement.get();
    if (!statement) {
        error = sqlite3_errmsg(db);
        return false;
    }
    const std::string* texts[] = {&entry.time, &entry.writer, &entry.chip, &entry.checksum,
                                  &entry.serial};
    for (int i = 0; i < 5; ++i) {
        sqlite3_bind_text(raw, i + 1, texts[i]->c_str(), -1, SQLITE_TRANSIENT);
    }
    sqlite3_bind_int(raw, 6, entry.passed ? 1 : 0);
    sqlite3_bind_text(raw, 7, entry.message.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(raw) != SQLITE_DONE) {
        error = sqlite3_errmsg(db);
        return false;
    }
    return true;
}

ProductionLog::~ProductionLog() {
    CloseProgramDatabase(db_);
}

bool ProductionLog::ready() {
    if (!db_) {
        db_ = OpenProgramDatabase(path_, error_);
    }
    return db_ != nullptr;
}

bool ProductionLog::append(const ProductionEntry& entry) {
    return ready() && InsertProductionEntry(db_, entry, error_);
}

std::optional<std::vector<ProductionEntry>> ProductionLog::entriesSince(const std::string& since) {
    return select("time >= ?1", {since});
}

std::optional<std::vector<ProductionEntry>> ProductionLog::serialsGiven(const std::string& chip,
                                                                        const std::string& low,
                                                                        const std::string& high) {
    return select(
        "passed = 1 AND chip = ?1 AND length(serial) = length(?2) AND serial >= ?2 AND "
        "serial <= ?3",
        {chip, low, high});
}

std::optional<std::vector<ProductionEntry>> ProductionLog::select(
    const char* where, std::initializer_list<std::string> values) {
    if (!ready()) {
        return std::nullopt;
    }
    const std::string sql = std::string(
                                "SELECT time, writer, chip, checksum, serial, passed, message FROM "
                                "production_log WHERE ") +
                            where + " ORDER BY id";
    const Statement statement = Prepare(db_, sql.c_str());
    sqlite3_stmt* raw = statement.get();
    if (!statement) {
        error_ = sqlite3_errmsg(db_);
        return std::nullopt;
    }
    int index = 0;
    for (const std::string& value : values) {
        sqlite3_bind_text(raw, ++index, value.c_str(), -1, SQLITE_TRANSIENT);
    }
    std::vector<ProductionEntry> entries;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW) {
        entries.push_back({ColumnText(raw, 0), ColumnText(raw, 1), ColumnText(raw, 2),
                           ColumnText(raw, 3), ColumnText(raw, 4), sqlite3_column_int(raw, 5) != 0,
                           ColumnText(raw, 6)});
    }
    if (step != SQLITE_DONE) {
        error_ = sqlite3_errmsg(db_);
        return std::nullopt;
    }
    return entries;
}

}  // namespace vexlor
