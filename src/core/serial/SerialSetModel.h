#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/Operator.h"
#include "core/chipdb/ICInfo.h"
#include "core/serial/SerialRunState.h"
#include "core/writer/Writer.h"

namespace vexlor {

// The texts of the Set dialog's four edits.
struct SerialSetFields {
    std::string length;
    std::string startAddress;
    std::string firstSerial;
    std::string amount;
};

// How the Set dialog was opened: withData when the numbers go with a data download (from
// IC Type Select), else they are written into the writer at Load.
struct SerialSetOptions {
    bool withData = false;
    bool exhvIsp = false;
    bool isp = false;
};

// What Load checks against and writes to.
struct SerialLoadTarget {
    std::string_view chipName;
    const ICInfo& chip;
    bool writerModelKLW20;
    std::filesystem::path baseDirectory;
    Writer& writer;
    Operator& op;
};

// The Serial Number Set dialog without its widgets: the fields, their change rules and Load.
class SerialSetModel {
  public:
    SerialSetModel(SerialRunState& state, SerialSetOptions options)
        : state_(state), options_(options) {}

    // Editing starts from the start-up values; show-only keeps what the state holds.
    void open();
    const SerialSetFields& fields() const { return fields_; }
    bool editable() const { return !state_.viewOnly; }

    // Each change of an edit, with the text as typed; fields() then holds what to show.
    void lengthEdited(std::string_view text, Operator& op);
    void startAddressEdited(std::string_view text);
    void firstSerialEdited(std::string_view text);
    void amountEdited(std::string_view text);
    void directionChosen(std::uint8_t direction) { state_.direction = direction; }

    // True when the dialog ends with Load; false (after a message) when it stays open.
    bool load(const SerialLoadTarget& target);

  private:
    SerialRunState& state_;
    SerialSetOptions options_;
    SerialSetFields fields_;
};

// The stand-alone block into the writer's option area, read back: true when equal.
bool SendSerialBlock(Writer& writer, const std::filesystem::path& blockPath);

}  // namespace vexlor
