#include <array>
#include <span>
#include <variant>

#include "core/base/TextConv.h"
#include "core/chipdb/CatalogueEntries.h"
#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ParseHexText.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/chipdb/XmlFile.h"

namespace vexlor {

namespace {

// The value form follows from the field's type: text, decimal (signed), hexadecimal
// (unsigned) or fraction.
using Field = std::variant<std::string ICInfo::*, std::int32_t ICInfo::*, std::uint32_t ICInfo::*,
                           float ICInfo::*>;

struct Key {
    const char* name;
    Field field;
};

constexpr std::array kChipInformation{
    Key{"ChipName", &ICInfo::ChipName},
    Key{"ChipType", &ICInfo::ChipType},
    Key{"ROMtype", &ICInfo::ROMtype},
    Key{"AND_ID_Data", &ICInfo::AND_ID_Data},
    Key{"Inside_Number", &ICInfo::Inside_Number},
    Key{"Device_ID_amount", &ICInfo::Device_ID_amount},
    Key{"Normal_ROM_Capacity", &ICInfo::Normal_ROM_Capacity},
    Key{"Information_ROM_Capacity", &ICInfo::Information_ROM_Capacity},
    Key{"Read_ROM_Capacity", &ICInfo::Read_ROM_Capacity},
    Key{"Checksum_Initial_Value", &ICInfo::Checksum_Initial_Value},
    Key{"OR_Checksum_Data", &ICInfo::OR_Checksum_Data},
    Key{"Protect_Low_Data", &ICInfo::Protect_Low_Data},
    Key{"Support_ReUse_Function", &ICInfo::Support_ReUse_Function},
    Key{"Check_Have_Protect", &ICInfo::Check_Have_Protect},
    Key{"Trimming_IRC", &ICInfo::Trimming_IRC},
    Key{"Trimming_IRC_Low", &ICInfo::Trimming_IRC_Low},
    Key{"Trimming_IRC_Range", &ICInfo::Trimming_IRC_Range},
};

constexpr std::array kAddress{
    Key{"CFG_Address", &ICInfo::CFG_Address},
    Key{"Device_ID_Address", &ICInfo::Device_ID_Address},
    Key{"Checksum1_Address", &ICInfo::Checksum1_Address},
    Key{"Checksum2_Address", &ICInfo::Checksum2_Address},
};

constexpr std::array kProgramInformation{
    Key{"Normal_Start_Address", &ICInfo::Normal_Start_Address},
    Key{"Reuse_Start_Address", &ICInfo::Reuse_Start_Address},
    Key{"Blankcheck_Capacity", &ICInfo::Blankcheck_Capacity},
    Key{"Program_Capacity", &ICInfo::Program_Capacity},
    Key{"Verify_Capacity", &ICInfo::Verify_Capacity},
    Key{"DisableHibit", &ICInfo::DisableHibit},
    Key{"VDD_Power_ON_delay", &ICInfo::VDD_Power_ON_delay},
    Key{"Program_time", &ICInfo::Program_time},
    Key{"Blankcheck_Data", &ICInfo::Blankcheck_Data},
    Key{"Blankcheck_CFG_Data", &ICInfo::Blankcheck_CFG_Data},
};

constexpr std::array kEntranceParameterSetup{
    Key{"One_Word_Program_delay", &ICInfo::One_Word_Program_delay},
    Key{"ProgMainRom_sda", &ICInfo::ProgMainRom_sda},
    Key{"ProgMainRom_sclk", &ICInfo::ProgMainRom_sclk},
    Key{"ProgIRC_sda", &ICInfo::ProgIRC_sda},
    Key{"ProgIRC_sclk", &ICInfo::ProgIRC_sclk},
};

constexpr std::array kWrite{Key{"P_VDD", &ICInfo::P_VDD}, Key{"P_VPP", &ICInfo::P_VPP}};
constexpr std::array kNormalRead{Key{"R_VDD", &ICInfo::R_VDD}, Key{"R_VPP", &ICInfo::R_VPP}};
constexpr std::array kHiRead{Key{"R_H_VDD", &ICInfo::R_H_VDD}, Key{"R_H_VPP", &ICInfo::R_H_VPP}};
constexpr std::array kLowRead{Key{"R_L_VDD", &ICInfo::R_L_VDD}, Key{"R_L_VPP", &ICInfo::R_L_VPP}};

constexpr std::array kTimerSetting{
    Key{"Timer", &ICInfo::Timer},
    Key{"Auto_Timeout", &ICInfo::Auto_Timeout},
    Key{"Blankcheck_Timeout", &ICInfo::Blankcheck_Timeout},
    Key{"Program_Timeout", &ICInfo::Program_Timeout},
    Key{"Verify_Timeout", &ICInfo::Verify_Timeout},
};

constexpr std::array kOtherSetting{
    Key{"VBG_Read", &ICInfo::VBG_Read},
    Key{"Have_OPT", &ICInfo::Have_OPT},
    Key{"Data_Read_Length", &ICInfo::Data_Read_Length},
    Key{"IAP_function", &ICInfo::IAP_function},
    Key{"Have_TouchKey", &ICInfo::Have_TouchKey},
    Key{"Have_Pagelock", &ICInfo::Have_Pagelock},
    Key{"Version", &ICInfo::Version},
};

struct Group {
    const char* name;
    std::span<const Key> keys;
};

constexpr std::array kSections{
    Group{"Chip_Information", kChipInformation},
    Group{"Address", kAddress},
    Group{"Program_Information", kProgramInformation},
    Group{"Entrance_Parameter_Setup", kEntranceParameterSetup},
    Group{"Timer_Setting", kTimerSetting},
    Group{"Other_Setting", kOtherSetting},
};

constexpr std::array kVoltageGroups{
    Group{"Write", kWrite},
    Group{"Normal_Read", kNormalRead},
    Group{"Hi_Read", kHiRead},
    Group{"Low_Read", kLowRead},
};

struct Store {
    ICInfo& info;
    const std::string& text;
    void operator()(std::string ICInfo::*field) const { info.*field = text; }
    void operator()(std::int32_t ICInfo::*field) const { info.*field = atoiText(text); }
    // A hex key met again keeps shifting the value it holds.
    void operator()(std::uint32_t ICInfo::*field) const { ParseHexText(text, info.*field); }
    void operator()(float ICInfo::*field) const { info.*field = atofText(text); }
};

void readKeys(std::span<const Key> keys, pugi::xml_node section, ICInfo& info) {
    for (pugi::xml_node element = section.first_child(); element;
         element = element.next_sibling()) {
        for (const Key& key : keys) {
            if (IsNamed(element, key.name)) {
                const std::string text = ElementText(element);
                std::visit(Store{info, text}, key.field);
                break;
            }
        }
    }
}

void readDeviceIds(pugi::xml_node list, ICInfo& info) {
    for (pugi::xml_node id = list.first_child(); id; id = id.next_sibling()) {
        if (id.type() == pugi::node_element) {
            std::uint32_t value = 0;
            ParseHexText(ElementText(id), value);
            info.Device_ID.push_back(value);
        }
    }
}

void readSection(pugi::xml_node section, ICInfo& info) {
    if (IsNamed(section, "DAC_Set_Voltage")) {
        for (pugi::xml_node group = section.first_child(); group; group = group.next_sibling()) {
            for (const Group& voltages : kVoltageGroups) {
                if (IsNamed(group, voltages.name)) {
                    readKeys(voltages.keys, group, info);
                }
            }
        }
        return;
    }
    for (const Group& known : kSections) {
        if (IsNamed(section, known.name)) {
            readKeys(known.keys, section, info);
        }
    }
    if (IsNamed(section, "Chip_Information")) {
        for (pugi::xml_node element = section.first_child(); element;
             element = element.next_sibling()) {
            if (IsNamed(element, "Device_ID")) {
                readDeviceIds(element, info);
            }
        }
    }
}

}  // namespace

int ReadChipXml::ReadICInfo(std::string_view chipName) {
    icInfo_ = ICInfo{};
    pugi::xml_document document;
    switch (LoadXmlFile(ICInfoFilePath(baseDirectory_, chipName), document)) {
        case XmlLoad::NoParser:
            operator_.message("Can't Creat IXMLDOMDocumentPtr");
            return 0;
        case XmlLoad::OpenFailed:
            operator_.message("Open *.ic Fail");
            return 0;
        case XmlLoad::NoRootElement:
            operator_.message("Read ICFile Fail");
            return 0;
        case XmlLoad::Loaded:
            break;
    }
    ICInfo read;
    const pugi::xml_node root = document.document_element();
    for (pugi::xml_node section = root.first_child(); section; section = section.next_sibling()) {
        readSection(section, read);
    }
    icInfo_ = std::move(read);
    return 1;
}

}  // namespace vexlor
