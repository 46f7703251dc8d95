#pragma once

#include <string>

#include "core/base/Operator.h"
#include "core/chipdb/ICInfo.h"
#include "core/serial/SerialJournal.h"
#include "core/serial/SerialNumber.h"
#include "core/serial/SerialRunState.h"
#include "core/writer/Writer.h"

namespace vexlor {

inline constexpr const char* kSerialCompleteMessage = "Serial Number Program Complete";

// The Serial Number Program dialog without its widgets: counters, one chip at a time, and the
// end of the run. The counters are mirrored into the journal after every chip.
class SerialProgramSession {
  public:
    struct ChipResult {
        bool passed = false;
        // The number the passing chip got; empty for a failing one.
        std::string serialUsed;
        // The number just used was the last of the run.
        bool complete = false;
        // The result reached the journal (and the production log entry with it).
        bool journaled = false;
    };

    SerialProgramSession(SerialRunState& state, SerialJournal& journal, Operator& op,
                         std::string chipName, bool fromLoad);

    // Counters from zero, or from the run the journal still holds open.
    void start();
    // After the Set dialog: Load enables programming when the block reached the writer, Cancel
    // disables it.
    void setFinished(bool loaded) { programEnabled_ = loaded && state_.loadedToWriter; }
    bool programEnabled() const { return programEnabled_; }
    // Load File's instance takes programming as enabled once a load succeeded.
    void enableProgram() { programEnabled_ = true; }
    bool fromLoad() const { return fromLoad_; }
    void setChipName(std::string chipName) { chipName_ = std::move(chipName); }
    const std::string& chipName() const { return chipName_; }

    // Auto when the dialog came from Load File, Program otherwise. A production log entry,
    // when given, gets the chip's number and result and is committed with the journal's.
    ChipResult programOneChip(Writer& writer, const ICInfo& chip,
                              ProductionEntry* logEntry = nullptr);
    SerialCounters counters() const {
        return {okCount_.ToHex(), ngCount_.ToHex(), totalCount_.ToHex()};
    }
    // The run's end, told once the counters of its last chip are on show.
    void showComplete();
    void resetCount();
    // The run ends: state to its closed values, counters zero, journal closed.
    void close();

    // What the four serial-number displays show.
    std::string startSerialText() const;
    std::string endSerialText() const;
    std::string startAddressText() const;
    std::string endAddressText() const;

  private:
    void showCounters();
    bool journal(bool ok, const std::string& serialUsed, ProductionEntry* logEntry);

    SerialRunState& state_;
    SerialJournal& journal_;
    Operator& op_;
    std::string chipName_;
    bool fromLoad_;
    bool programEnabled_ = false;
    bool journalFailed_ = false;
    SerialNumber okCount_;
    SerialNumber ngCount_;
    SerialNumber totalCount_;
};

}  // namespace vexlor
