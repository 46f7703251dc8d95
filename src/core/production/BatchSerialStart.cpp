#include "core/production/BatchSerialStart.h"

#include "core/base/Diagnostics.h"
#include "core/serial/SerialCommands.h"
#include "core/serial/SerialSetModel.h"

namespace vexlor {

std::optional<BatchSerialStart> PlanBatchSerialStart(const BatchSerial& serial,
                                                     const std::string& chip,
                                                     const std::optional<OpenSerialRun>& open,
                                                     std::string& refusal) {
    if (!open) {
        return BatchSerialStart{serial.first, serial.count, false};
    }
    const std::optional<SerialNumber> next = SerialNumber::FromHex(open->currentSerial);
    const SerialNumber pastLast = serial.last() + SerialNumber::Of(1);
    if (open->chipName != chip || !next || *next < serial.first || *next > pastLast) {
        refusal = format(
            "the journal holds an unfinished serial run of %s at S/N %s, outside this job's "
            "numbers; finish or close it in the Serial Number Program window first",
            open->chipName.c_str(), open->currentSerial.c_str());
        return std::nullopt;
    }
    if (*next == pastLast) {
        refusal =
            "every serial number of this job is used (the last was " + serial.last().ToHex() + ")";
        return std::nullopt;
    }
    return BatchSerialStart{*next, pastLast - *next, true};
}

std::optional<std::string> CheckSerialsUnused(ProductionLog& log, const std::string& chip,
                                              const BatchSerial& serial,
                                              const BatchSerialStart& start) {
    const auto padded = [&](const SerialNumber& number) {
        return PadSerialForDisplay(number.ToHex(), serial.length).value_or(number.ToHex());
    };
    const auto given = log.serialsGiven(chip, padded(start.first), padded(serial.last()));
    if (!given) {
        return "can't read the production log: " + log.error();
    }
    if (!given->empty()) {
        return format("S/N %s was already given to a %s chip on %s; serial.first must be past it",
                      given->front().serial.c_str(), chip.c_str(), given->front().time.c_str());
    }
    return std::nullopt;
}

bool LoadBatchSerial(AppContext& context, Writer& writer, Operator& op, const BatchSerial& serial,
                     const BatchSerialStart& start) {
    const JobState& job = context.shell.job;
    SerialSetModel set(context.serial, {false, job.exhvIspProgram != 0, job.ispProgram != 0});
    set.open();
    set.lengthEdited(format("%X", serial.length), op);
    set.startAddressEdited(format("%X", serial.address));
    set.firstSerialEdited(start.first.ToHex());
    set.amountEdited(start.amount.ToHex());
    return set.load(SerialLoadTargetOf(context, writer, op));
}

}  // namespace vexlor
