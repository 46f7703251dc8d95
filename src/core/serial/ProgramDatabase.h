#pragma once

#include <filesystem>
#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace vexlor {

inline constexpr const char* kJournalDatabaseFile = "vexlor-writer.db";

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const;
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// Null when the statement cannot be prepared.
Statement Prepare(sqlite3* db, const char* sql);
std::string ColumnText(sqlite3_stmt* statement, int column);
// False with the database's reason in error.
bool Exec(sqlite3* db, const char* sql, std::string& error);

// Opens the program's database (serial-run journal and production log) with all its tables;
// every commit reaches the disk before it returns. Null, with the reason, when it cannot.
sqlite3* OpenProgramDatabase(const std::filesystem::path& path, std::string& error);
void CloseProgramDatabase(sqlite3* db);

}  // namespace vexlor
