#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Operator.h"
#include "core/chipdb/CatalogueCache.h"
#include "core/chipdb/ChipDisplayInfo.h"
#include "core/chipdb/ChipListView.h"
#include "core/chipdb/ICInfo.h"
#include "core/chipdb/SysCfgField.h"

namespace vexlor {

// The chip-database document: the selected chip's catalogue keys, its parameter record and its
// option-word fields. One instance lives in the application context for the whole run. Readers
// return 1 on success and 0 after telling the operator what failed.
//
// Catalogue entries the readers cannot use are skipped rather than guessed at: at the type,
// series and chip levels only elements carrying an attribute count (comments, stray text and
// bare elements are neither listed nor counted), so an index always means the same entry here
// and in the chip search.
class ReadChipXml {
  public:
    ReadChipXml(Operator& op, std::filesystem::path baseDirectory);

    const std::filesystem::path& baseDirectory() const { return baseDirectory_; }
    void setBaseDirectory(std::filesystem::path baseDirectory) {
        baseDirectory_ = std::move(baseDirectory);
    }

    // Fills the MCU Type, Chip Series and Chip Name lists (and Packages with selector 2) for the
    // given selections and reads the selected chip's keys. An index outside its list, or
    // negative, is refused with "Chip List Index Error!!": the lists below it are left empty
    // and no chip is read. The file is read on every call but parsed again only when changed.
    int LoadChipLists(ChipListView& lists, int typeIndex, int seriesIndex, int nameIndex,
                      int selector);

    // Overwrites the keys the named chip's entries carry, later duplicates winning key by key;
    // keys the entries leave out keep their earlier values. Always 0, as callers expect.
    int ReadChipDisplayInfo(std::string chipName, int selector);

    // Resets the parameter record, then fills it from ICInfo/<chipName>.ic.
    int ReadICInfo(std::string_view chipName);

    // Replaces the option-word fields with those of the decoded file and deletes the file after
    // a good read; a failed read leaves the list empty and the file in place.
    int ReadSysCfgOptions(const std::filesystem::path& file);

    // The parsed catalogue of the selector, the one the lists show; null when it cannot be read.
    // Valid until the next read of the catalogue.
    const pugi::xml_document* catalogue(int selector);

    ChipDisplayInfo& chipDisplayInfo() { return chipDisplayInfo_; }
    const ChipDisplayInfo& chipDisplayInfo() const { return chipDisplayInfo_; }
    ICInfo& icInfo() { return icInfo_; }
    const ICInfo& icInfo() const { return icInfo_; }
    std::vector<SysCfgField>& sysCfgFields() { return sysCfgFields_; }
    const std::vector<SysCfgField>& sysCfgFields() const { return sysCfgFields_; }

  private:
    Operator& operator_;
    std::filesystem::path baseDirectory_;
    ChipDisplayInfo chipDisplayInfo_;
    ICInfo icInfo_;
    std::vector<SysCfgField> sysCfgFields_;
    CatalogueCache catalogueCache_;
};

}  // namespace vexlor
