// A stand-in converter plugin: it answers from the context so the caller's filling and
// copying back can be checked.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/convert/ConvertContext.h"

using vexlor::ConvertContext;

// Fails half way, as a real converter can: one buffer file already emptied.
extern "C" std::int32_t NewQv84OTPSeriesConvertFile(ConvertContext* context) {
    const std::string data = std::string(context->programDirectory) + "/buffer_data.prog";
    std::fclose(std::fopen(data.c_str(), "wb"));
    std::snprintf(context->descriptionText, sizeof(context->descriptionText), "fake %s %s %s",
                  context->chip.ChipName.c_str(), context->packageCode, context->programFile);
    context->programChecksum = static_cast<std::uint16_t>(context->optionWord + 1);
    context->secondaryChecksum = context->packedCount;
    context->unprotect = context->massProduction + context->productionLimit * 2;
    return 7;
}

extern "C" std::int32_t NewQv84MTP_FLASHSeriesConvertFile(ConvertContext* context) {
    std::snprintf(context->descriptionText, sizeof(context->descriptionText), "%s|%d%d%d%d%d%d|%d",
                  context->programDirectory, context->displaySerialNumber, context->exhvIspProgram,
                  context->massProduction, context->productionLimit, context->wholeChipErase,
                  context->ispProgram, context->writerModelKLW20);
    context->programChecksum = static_cast<std::uint16_t>(context->hexToBinMode);
    return 0;
}
