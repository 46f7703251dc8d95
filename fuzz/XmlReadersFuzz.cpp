// Any bytes given as one of the system's XML files (chip catalogue, chip display info, IC
// information, option definition, operation buttons, operator messages) end in values or the
// reader's message, never in a crash. The chip search and the catalogue lists must agree on
// where every chip sits.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ChipSearch.h"
#include "core/chipdb/MultiLanguageCatalogue.h"
#include "core/chipdb/OperationVisibility.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/smartopt/OptionDefinitionCodec.h"
#include "core/smartopt/SmartOptionPage.h"

namespace {

using vexlor::ChipList;

class ListsRecord : public vexlor::ChipListView {
  public:
    void clear(ChipList which) override { lists_[index(which)].clear(); }
    void add(ChipList which, std::string_view text) override {
        lists_[index(which)].emplace_back(text);
    }
    const std::vector<std::string>& list(ChipList which) const { return lists_[index(which)]; }

  private:
    static std::size_t index(ChipList which) { return static_cast<std::size_t>(which); }
    std::vector<std::string> lists_[4];
};

void readCatalogue(vexlor::ReadChipXml& document) {
    const std::filesystem::path catalogue =
        vexlor::CatalogueFilePath(document.baseDirectory(), vexlor::kChipListKLW20);
    const std::vector<vexlor::ChipPath> chips = vexlor::FilterChipsInCatalogue(catalogue, "");
    for (std::size_t i = 0; i < chips.size() && i < 3; ++i) {
        const vexlor::ChipPath& chip = chips[i];
        ListsRecord lists;
        if (document.LoadChipLists(lists, chip.typeIndex, chip.seriesIndex, chip.nameIndex,
                                   vexlor::kChipListKLW20) != 1) {
            std::abort();
        }
        const std::vector<std::string>& names = lists.list(ChipList::ChipName);
        if (static_cast<std::size_t>(chip.nameIndex) >= names.size() ||
            names[chip.nameIndex] != chip.name) {
            std::abort();
        }
        vexlor::ChipPath found;
        vexlor::FindChipInCatalogue(catalogue, chip.name, found);
        document.ReadChipDisplayInfo(chip.name, vexlor::kChipListKLW21);
    }
    ListsRecord lists;
    document.LoadChipLists(lists, 0, 0, 0, vexlor::kChipListKLW21);
    document.LoadChipLists(lists, 1, -1, 2, vexlor::kChipListKLW20);
}

// A good read removes the decoded file; a failed one leaves no fields.
void readDecodedDefinition(vexlor::ReadChipXml& document, std::string_view xml) {
    const std::filesystem::path file = vexlor::fuzz::WriteInputFile(
        "Option_Dec.ic", reinterpret_cast<const std::uint8_t*>(xml.data()), xml.size());
    const bool read = document.ReadSysCfgOptions(file) == 1;
    if (read == std::filesystem::exists(file) || (!read && !document.sysCfgFields().empty())) {
        std::abort();
    }
    vexlor::DefinitionPage(document.sysCfgFields(), 0x5AA5);
}

// The bytes as a decoded definition, and as an encoded one when they decode.
void readOptionDefinition(vexlor::ReadChipXml& document, std::string_view bytes) {
    readDecodedDefinition(document, bytes);
    const vexlor::DecodedDefinition decoded = vexlor::DecodeOptionDefinition(bytes);
    if (decoded.ok) {
        readDecodedDefinition(document, decoded.xml);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vexlor::fuzz::WriteInputFile;
    const std::filesystem::path catalogue = WriteInputFile("ChipList/KLW20_mcu.xml", data, size);
    WriteInputFile("ChipList/KLW21_mcu.xml", data, size);
    WriteInputFile("ICInfo/FUZZ.ic", data, size);

    vexlor::SilentOperator op;
    vexlor::ReadChipXml document(op, vexlor::fuzz::ScratchDirectory());
    readCatalogue(document);
    document.ReadICInfo("FUZZ");
    readOptionDefinition(document, std::string_view(reinterpret_cast<const char*>(data), size));

    vexlor::OperationVisibilityTable table = vexlor::InitialOperationVisibility();
    vexlor::ReadOperationVisibility(op, catalogue, table);

    vexlor::MultiLanguageCatalogue messages(vexlor::Language::TraditionalChinese);
    messages.LoadMultiLanguageMsgFile(catalogue);
    if (messages.text("LoadingdataFailMsg").empty()) {
        std::abort();
    }
    return 0;
}
