// The delivered catalogues as the program reads them: every chip complete and coherent.

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "DeliveredData.h"
#include "core/chipdb/ChipDisplayKeys.h"
#include "core/chipdb/XmlFile.h"
#include "core/convert/FileFilters.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

const DeliveredData& D() {
    return Delivered();
}

// Chip names name files, and the writer keeps only the first 10 bytes of a name in its option
// header, from which the job is restored after an attach.
TEST(CatalogueData, ChipNamesAreUniqueShortPlainAndInTheSameOrderInBothFiles) {
    ASSERT_GE(D().chips.size(), 80u);
    std::set<std::string> names;
    std::vector<std::string> first;
    for (const auto& chip : D().chips) {
        EXPECT_TRUE(names.insert(chip.name).second) << "listed twice: " << chip.name;
        EXPECT_LE(chip.name.size(), 10u) << chip.name;
        EXPECT_TRUE(IsPlainFileName(chip.name) && chip.name.find(' ') == std::string::npos)
            << chip.name;
        first.push_back(chip.name);
    }
    EXPECT_EQ(first, D().secondCatalogueNames);
}

TEST(CatalogueData, EveryChipCarriesEveryKeyOnce) {
    std::vector<std::string> keys{"FW_File", "IC_FileType"};
    for (const ChipDisplayKey& key : ChipDisplayKeys()) {
        keys.push_back(key.group ? std::string(key.group) + "/" + key.name : key.name);
    }
    for (const char* file : {"KLW20_mcu.xml", "KLW21_mcu.xml"}) {
        pugi::xml_document document;
        ASSERT_EQ(LoadXmlFile(D().base / "ChipList" / file, document), XmlLoad::Loaded) << file;
        const auto chips = document.select_nodes("/*/ChipSeries/*/*/*");
        ASSERT_EQ(chips.size(), D().chips.size()) << file;
        for (const auto& chip : chips) {
            const std::string name = chip.node().attribute("name").value();
            // The search reader looks the attributes up by name, the list readers take the first.
            EXPECT_STREQ(chip.node().first_attribute().name(), "name") << name;
            EXPECT_STREQ(chip.node().parent().first_attribute().name(), "name") << name;
            EXPECT_STREQ(chip.node().parent().parent().first_attribute().name(), "type") << name;
            for (const std::string& key : keys) {
                EXPECT_EQ(chip.node().select_nodes(key.c_str()).size(), 1u)
                    << file << " " << name << " " << key;
            }
        }
    }
}

// Information file, file filter, pin picture and firmware image: all present and usable.
TEST(CatalogueData, EveryChipHasItsFilesAndAnInternalNumberOfItsOwn) {
    const std::set<std::string_view> kFilters{kObjFilter, kHexFilter,      kOtpFilter,
                                              kEpmFilter, kHexOrBinFilter, kOrvoFilter};
    std::set<std::uint32_t> numbers;
    for (const auto& chip : D().chips) {
        SCOPED_TRACE(chip.name);
        EXPECT_TRUE(chip.icRead);
        EXPECT_TRUE(chip.messages.empty()) << chip.messages.front();
        EXPECT_EQ(chip.info.ChipName, chip.name);
        EXPECT_TRUE(kFilters.count(chip.keys.IC_FileType)) << chip.keys.IC_FileType;
        EXPECT_TRUE(numbers.insert(chip.info.Inside_Number).second)
            << "shares its internal number (and so its pin picture)";
        char picture[32];
        std::snprintf(picture, sizeof picture, "QV%x.jpg", chip.info.Inside_Number);
        const auto jpeg = FileBytes(D().base / "res" / "ICPicture" / picture);
        ASSERT_GE(jpeg.size(), 3u) << picture;
        EXPECT_EQ(jpeg[0] << 16 | jpeg[1] << 8 | jpeg[2], 0xFFD8FF) << picture;
        EXPECT_EQ(fs::file_size(D().base / "firmware" / chip.keys.FW_File), 0x10800u);
    }
}

TEST(CatalogueData, KeysMatchWhatTheChipCanDo) {
    for (const auto& chip : D().chips) {
        const auto& k = chip.keys;
        SCOPED_TRACE(chip.name);
        EXPECT_TRUE(chip.mcuType == "OTP" || chip.mcuType == "MTP" || chip.mcuType == "Flash");
        EXPECT_TRUE(k.FuseCheckBoxDisplay >= 1 && k.FuseCheckBoxDisplay <= 3);
        // The menu entry and the IC Type Select box both mean serial numbers.
        EXPECT_EQ(k.MenuSerial_Num, k.RollingCode);
        // Set Protect is offered only where a protect layout is defined.
        EXPECT_EQ(k.MenuSet_Protect, k.SetProtectMode >= 1 && k.SetProtectMode <= 10 ? 1 : 0);
        // The option choices of Load File are shown in the fuse boxes.
        if (chip.info.Have_OPT == 1) {
            EXPECT_TRUE(k.FuseCheckBoxDisplay <= 2 && k.SetProtectMode >= 1);
        }
        // Only rewritable chips can be erased as a whole.
        EXPECT_TRUE(chip.mcuType != "OTP" || k.EraseMode == 0);
    }
}

TEST(CatalogueData, ParametersAreUsableByConvertersAndOperations) {
    for (const auto& chip : D().chips) {
        const auto& i = chip.info;
        SCOPED_TRACE(chip.name);
        EXPECT_GT(i.Program_Capacity, 0u);
        EXPECT_LE(i.Program_Capacity, i.Normal_ROM_Capacity);
        EXPECT_EQ(i.Blankcheck_Capacity, i.Program_Capacity);
        EXPECT_EQ(i.Verify_Capacity, i.Program_Capacity);
        EXPECT_EQ(i.Read_ROM_Capacity, i.Normal_ROM_Capacity + i.Information_ROM_Capacity);
        ASSERT_FALSE(i.Device_ID.empty());
        EXPECT_EQ(i.Device_ID_amount, static_cast<int>(i.Device_ID.size()));
        // The voltage codes are one byte each: int(11.55 x volts) must stay below 256.
        for (float volts : {i.P_VDD, i.P_VPP, i.R_VDD, i.R_H_VDD, i.R_L_VDD}) {
            EXPECT_TRUE(volts > 0.0f && volts < 22.0f) << volts;
        }
        EXPECT_TRUE(i.P_VPP >= i.P_VDD && i.R_L_VDD < i.R_VDD && i.R_H_VDD > i.R_VDD);
        for (int timeout :
             {i.Auto_Timeout, i.Blankcheck_Timeout, i.Program_Timeout, i.Verify_Timeout}) {
            EXPECT_TRUE(timeout >= 100 && timeout <= 4000) << timeout;
        }
        EXPECT_GE(i.Auto_Timeout, i.Program_Timeout);
        // Program_time shares its byte with DisableHibit in the option header.
        EXPECT_TRUE(i.Program_time < 16 && i.DisableHibit < 16u && i.ROMtype < 16);
        // The power-on delay code int((d x 1.5 - 21) / 15) must not go negative.
        EXPECT_GE(i.VDD_Power_ON_delay, 14);
    }
}

// A package name ends in its code: the last two characters, or the last one after a blank.
TEST(CatalogueData, SecondCatalogueListsPackagesWithHexCodes) {
    for (const auto& chip : D().chips) {
        ASSERT_FALSE(chip.packages.empty()) << chip.name;
        for (const std::string& package : chip.packages) {
            ASSERT_GE(package.size(), 3u) << chip.name;
            std::string code = package.substr(package.size() - 2);
            code = code[0] == ' ' ? code.substr(1) : code;
            EXPECT_TRUE(code != " " &&
                        code.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos)
                << chip.name << " '" << package << "'";
        }
    }
}

}  // namespace
}  // namespace vexlor::test
