#pragma once

#include <optional>
#include <string>

#include "core/app/AppContext.h"
#include "core/production/BatchJob.h"
#include "core/serial/ProductionLog.h"
#include "core/serial/SerialJournal.h"
#include "core/writer/Writer.h"

namespace vexlor {

// The numbers this start of a run hands out.
struct BatchSerialStart {
    SerialNumber first;
    SerialNumber amount;
    // Taken up where the journal's open run stopped.
    bool continued = false;
};

// The job's own numbers, or, when the journal holds an open run of the same chip inside them,
// the rest from where it stopped, so a run killed half-way neither repeats nor skips a number.
// nullopt, with the reason, when an open run belongs to something else or every number is used.
std::optional<BatchSerialStart> PlanBatchSerialStart(const BatchSerial& serial,
                                                     const std::string& chip,
                                                     const std::optional<OpenSerialRun>& open,
                                                     std::string& refusal);

// A refusal when the log shows any number this start would hand out already on a passing chip
// of the same kind (a finished job started again would repeat them); nullopt when all are new.
std::optional<std::string> CheckSerialsUnused(ProductionLog& log, const std::string& chip,
                                              const BatchSerial& serial,
                                              const BatchSerialStart& start);

// Sets the run up in the writer as the Set dialog's Load does, for the chip already selected.
bool LoadBatchSerial(AppContext& context, Writer& writer, Operator& op, const BatchSerial& serial,
                     const BatchSerialStart& start);

}  // namespace vexlor
