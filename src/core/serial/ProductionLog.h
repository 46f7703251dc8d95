#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace vexlor {

// One chip of a production run, as the log keeps it.
struct ProductionEntry {
    std::string time;  // UTC, ISO 8601
    std::string writer;
    std::string chip;
    std::string checksum;  // SHA-256 of the program file
    std::string serial;    // empty when the chip got none
    bool passed = false;
    std::string message;

    bool operator==(const ProductionEntry&) const = default;
};

// Adds the entry inside whatever transaction db has open; false with the reason in error.
bool InsertProductionEntry(sqlite3* db, const ProductionEntry& entry, std::string& error);

// The production log in the program's database. Each append is its own transaction, on the
// disk before it returns.
class ProductionLog {
  public:
    explicit ProductionLog(std::filesystem::path databasePath) : path_(std::move(databasePath)) {}
    ~ProductionLog();
    ProductionLog(const ProductionLog&) = delete;
    ProductionLog& operator=(const ProductionLog&) = delete;

    bool append(const ProductionEntry& entry);
    // The entries whose time is at or after since (same form as ProductionEntry::time; empty:
    // all), oldest first; nullopt when the database cannot be read.
    std::optional<std::vector<ProductionEntry>> entriesSince(const std::string& since);
    // The passing chips of chip whose serial number lies from low to high (texts of one
    // width, as the log keeps them); nullopt when the database cannot be read.
    std::optional<std::vector<ProductionEntry>> serialsGiven(const std::string& chip,
                                                             const std::string& low,
                                                             const std::string& high);
    const std::string& error() const { return error_; }

  private:
    bool ready();
    std::optional<std::vector<ProductionEntry>> select(const char* where,
                                                       std::initializer_list<std::string> values);

    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
    std::string error_;
};

}  // namespace vexlor
