#include "cli/ChipCommands.h"

#include <ostream>
#include <variant>

#include "cli/CliSession.h"
#include "cli/JobCommands.h"
#include "core/base/Diagnostics.h"
#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ChipDisplayKeys.h"
#include "core/chipdb/ChipSearch.h"
#include "core/chipdb/ICInfoKeys.h"
#include "core/chipdb/XmlFile.h"

namespace vexlor::cli {

namespace {

std::filesystem::path catalogueOf(CliSession& session) {
    return CatalogueFilePath(session.context().chipXml.baseDirectory(),
                             session.context().shell.chipListSelector);
}

bool catalogueReadable(const std::filesystem::path& catalogue) {
    pugi::xml_document document;
    return LoadXmlFile(catalogue, document) == XmlLoad::Loaded;
}

struct PrintValue {
    std::ostream& out;
    const ICInfo& info;
    void operator()(std::string ICInfo::*field) const { out << info.*field; }
    void operator()(std::int32_t ICInfo::*field) const { out << info.*field; }
    void operator()(std::uint32_t ICInfo::*field) const { out << format("0x%X", info.*field); }
    void operator()(float ICInfo::*field) const {
        out << format("%g", static_cast<double>(info.*field));
    }
};

void printDisplayInfo(std::ostream& out, const ChipDisplayInfo& info) {
    out << "catalogue keys:\n";
    for (const ChipDisplayKey& key : ChipDisplayKeys()) {
        out << "  " << key.name << " = " << info.*key.field << '\n';
    }
    out << "  FW_File = " << info.FW_File << '\n';
    out << "  IC_FileType = " << info.IC_FileType << '\n';
}

void printICInfo(std::ostream& out, const ICInfo& info) {
    out << "IC parameters:\n";
    for (const ICInfoKey& key : ICInfoKeys()) {
        out << "  " << key.name << " = ";
        std::visit(PrintValue{out, info}, key.field);
        out << '\n';
    }
    out << "  Device_ID =";
    for (std::size_t i = 0; i < info.Device_ID.size(); ++i) {
        out << (i == 0 ? " " : ", ") << format("0x%X", info.Device_ID[i]);
    }
    out << '\n';
}

}  // namespace

CommandOutcome runChips(CliSession& session, std::span<const std::string> arguments) {
    const std::string text = arguments.empty() ? std::string() : arguments.front();
    const auto catalogue = catalogueOf(session);
    if (!catalogueReadable(catalogue)) {
        return CommandOutcome::failure("can't read the chip catalogue " + catalogue.string());
    }
    const auto chips = FilterChipsInCatalogue(catalogue, text);
    if (chips.empty()) {
        return CommandOutcome::failure("no chip name contains \"" + text + "\"");
    }
    for (const ChipPath& chip : chips) {
        session.out() << chip.type << " / " << chip.series << " / " << chip.name << '\n';
    }
    return CommandOutcome::success();
}

CommandOutcome runChip(CliSession& session, std::span<const std::string> arguments) {
    const std::string& name = arguments.front();
    const auto catalogue = catalogueOf(session);
    if (!catalogueReadable(catalogue)) {
        return CommandOutcome::failure("can't read the chip catalogue " + catalogue.string());
    }
    ChipPath path;
    if (!FindChipInCatalogue(catalogue, name, path)) {
        return CommandOutcome::failure(name + " is not in the chip catalogue", kExitBadInput);
    }
    ReadChipXml& document = session.context().chipXml;
    // Show this chip's keys alone, not what an earlier read left in the record.
    document.chipDisplayInfo() = ChipDisplayInfo{};
    document.ReadChipDisplayInfo(name, session.context().shell.chipListSelector);
    if (!document.ReadICInfo(name)) {
        return CommandOutcome::failure("can't read the IC information of " + name);
    }
    std::ostream& out = session.out();
    out << "chip: " << path.type << " / " << path.series << " / " << path.name << '\n';
    printDisplayInfo(out, document.chipDisplayInfo());
    printICInfo(out, document.icInfo());
    return CommandOutcome::success();
}

}  // namespace vexlor::cli
