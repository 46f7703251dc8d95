#include "core/convert/HexProgram.h"

#include "core/convert/MessageCaption.h"
#include "core/convert/RawImage.h"

namespace vexlor {

std::optional<Bytes> convertProgramHex(const ConversionJob& job, ConversionOutput& out,
                                       const std::filesystem::path& imagePath,
                                       HexImageRules rules) {
    const std::string program = job.programFile.string();
    rules.acceptDamaged = job.damagedHex == DamagedHex::Accept;
    HexImageOutcome outcome = ConvertHexToImage(job.programFile, imagePath, rules, out.diagnostics);
    if (outcome.result != 0 && outcome.damagedOnly && job.damagedHex == DamagedHex::AskOperator &&
        out.op.ask(
            format("%s\n%s\nLoad this file anyway?", program.c_str(), outcome.reason.c_str()),
            kMessageCaption, MessageIcon::Question)) {
        rules.acceptDamaged = true;
        outcome = ConvertHexToImage(job.programFile, imagePath, rules, out.diagnostics);
    }
    if (outcome.result != 0) {
        out.op.message(openFileError(job.programFile, outcome.reason), kMessageCaption);
        return std::nullopt;
    }
    return std::move(outcome.image);
}

}  // namespace vexlor
