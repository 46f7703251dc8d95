#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/serial/ProductionLog.h"
#include "core/serial/ProgramDatabase.h"

namespace vexlor {

// The counters of a run, as hexadecimal text.
struct SerialCounters {
    std::string ok = "0";
    std::string ng = "0";
    std::string total = "0";

    bool operator==(const SerialCounters&) const = default;
};

// A run the program was still counting when it last stopped.
struct OpenSerialRun {
    std::string chipName;
    SerialCounters counters;
    // The number the PC expected the writer to use next.
    std::string currentSerial;
};

// What a Program dialog has counted, kept in the program's database so that a crash loses
// nothing: each chip's result is committed before the call returns. The database opens on
// first use; every failure reports false and leaves the run itself going.
class SerialJournal {
  public:
    explicit SerialJournal(std::filesystem::path databasePath) : path_(std::move(databasePath)) {}
    ~SerialJournal();
    SerialJournal(const SerialJournal&) = delete;
    SerialJournal& operator=(const SerialJournal&) = delete;

    std::optional<OpenSerialRun> openRun();
    // Starts a run unless one is open (an interrupted one is continued).
    bool beginRun(const std::string& chipName);
    // One chip: serialUsed is empty for a failing chip, which uses no number. A production log
    // entry, when given, is committed with it, so the log and the numbers never disagree.
    bool recordChip(bool passed, const std::string& serialUsed, const SerialCounters& counters,
                    const std::string& currentSerial, const ProductionEntry* logEntry = nullptr);
    bool resetCounters();
    bool endRun();
    // The last database error, for the message that reports it.
    const std::string& error() const { return error_; }

  private:
    bool ready();
    bool exec(const char* sql) { return Exec(db_, sql, error_); }

    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
    std::string error_;
};

}  // namespace vexlor
