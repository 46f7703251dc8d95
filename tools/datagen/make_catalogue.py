#!/usr/bin/env python3
"""Writes the delivered text data from the chip table in chipset.py.

    tools/datagen/make_catalogue.py [--out DATA_DIR] [--check]

Writes ChipList/KLW20_mcu.xml and KLW21_mcu.xml, ICInfo/<chip>.ic, the option templates
tin/<chip>.tin and tin/QR31IC/<chip>.tin, and the encoded option definitions
tin/QR46IC/<chip>.IC. Run it after changing chipset.py and commit what it writes; --check
writes nothing and fails when a delivered file differs from what the table gives.
"""

import argparse
import base64
import os
import sys
from xml.sax.saxutils import escape, quoteattr

import chipset
from optiondefs import option_definition_xml
from templates import tin_template

# Encoded option definitions: a header line, then base64 of the XML XOR-ed with this key.
OPTION_MAGIC = "VXOPT1"
OPTION_KEY = b"Vexlor-QR46IC"

# Family-converter groups whose buffer data holds each program word swapped; every other
# converter (the rest of the groups, the model converter and the converter libraries) keeps
# the program file's byte order.
SWAPPED_WORD_GROUPS = (2, 3, 4, 6)

# ProgMainRom_sda of a chip: its high nibble becomes option byte 0x1F, whose low nibble 2 makes
# the file compare take data words in stored order and anything else swapped.
SDA_STORED_ORDER = 0x23
SDA_SWAPPED = 0x03


def stores_words_swapped(c):
    return c.group in SWAPPED_WORD_GROUPS


def prog_main_rom_sda(c):
    return SDA_SWAPPED if stores_words_swapped(c) else SDA_STORED_ORDER


def encode_option_definition(xml_text):
    raw = xml_text.encode("utf-8")
    mixed = bytes(b ^ OPTION_KEY[i % len(OPTION_KEY)] for i, b in enumerate(raw))
    b64 = base64.b64encode(mixed).decode("ascii")
    lines = [b64[i:i + 76] for i in range(0, len(b64), 76)]
    return OPTION_MAGIC + "\n" + "\n".join(lines) + "\n"


def hex_text(value, digits=4):
    return "0x%0*X" % (digits, value)


def _el(indent, name, value):
    return "%s<%s>%s</%s>" % ("  " * indent, name, escape(str(value)), name)


def catalogue_xml(chips, with_packages):
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<ChipList>", "  <ChipSeries>"]
    for mcu in ("OTP", "MTP", "Flash"):
        of_type = [c for c in chips if c.mcu_type == mcu]
        out.append("    <Series type=%s>" % quoteattr(mcu))
        series_names = []
        for c in of_type:
            if c.series not in series_names:
                series_names.append(c.series)
        for series in series_names:
            out.append("      <Serie name=%s>" % quoteattr(series))
            for c in of_type:
                if c.series == series:
                    out.extend(chip_entry(c, with_packages, 4))
            out.append("      </Serie>")
        out.append("    </Series>")
    out += ["  </ChipSeries>", "</ChipList>", ""]
    return "\n".join(out)


def chip_entry(c, with_packages, ind):
    set_protect = 1 if 1 <= c.protect_mode <= 10 else 0
    out = ["  " * ind + "<Chip name=%s>" % quoteattr(c.name),
           _el(ind + 1, "IcTransfileforPath", 0),
           "  " * (ind + 1) + "<ICSelectDisplay>",
           _el(ind + 2, "ExHVISP", c.exhv_isp),
           _el(ind + 2, "ISP", c.isp),
           _el(ind + 2, "Buzzer", 1),
           _el(ind + 2, "EraseMode", c.erase),
           _el(ind + 2, "RollingCode", c.rolling_code),
           _el(ind + 2, "MassProduction", c.mass_production),
           _el(ind + 2, "ProductionLimit", c.production_limit)]
    if with_packages:
        out.append("  " * (ind + 2) + "<Packages>")
        out += [_el(ind + 3, "Package", p) for p in c.packages]
        out.append("  " * (ind + 2) + "</Packages>")
    out += ["  " * (ind + 1) + "</ICSelectDisplay>",
            "  " * (ind + 1) + "<MenuOperationDisplay>",
            _el(ind + 2, "MenuSerial_Num", c.rolling_code),
            _el(ind + 2, "MenuCompare_File", c.compare_file),
            _el(ind + 2, "MenuSet_Protect", set_protect),
            _el(ind + 2, "MenuRead_ChipInfo", c.read_chip_info),
            "  " * (ind + 1) + "</MenuOperationDisplay>",
            _el(ind + 1, "HextoBinMode", c.hex_mode),
            _el(ind + 1, "SetProtectMode", c.protect_mode),
            _el(ind + 1, "HaveSmartOPT", c.smart_opt),
            _el(ind + 1, "FuseCheckBoxDisplay", c.fuse_display),
            _el(ind + 1, "FW_File", c.fw_file),
            "  " * (ind + 1) + "<IC_FileType>"]
    out += [_el(ind + 2, "FileType", part) for part in c.file_filter]
    out += ["  " * (ind + 1) + "</IC_FileType>", "  " * ind + "</Chip>"]
    return out


def _timeouts(cap):
    blank = min(100 + cap // 64, 1000)
    program = min(200 + cap // 16, 2000)
    verify = min(150 + cap // 32, 1500)
    return blank, program, verify, min(blank + program + verify, 4000)


def ic_file(c):
    word14 = c.hex_mode == 2
    blank_data = 0x3FFF if word14 else 0xFFFF
    blank, program, verify, auto = _timeouts(c.program_capacity)
    # Non-zero: the writer returns each word high byte first and Read swaps the pair back, for
    # the families whose converters store words swapped.
    read_pair_swap = 1 if stores_words_swapped(c) else 0
    p_vdd, p_vpp, r_vdd, r_vpp = c.voltages
    and_id = 0xFFF0 if c.name == "QR64L74M" else 0xFFFF
    flash = c.mcu_type == "Flash"
    sections = [
        ("Chip_Information", [
            ("ChipName", c.name), ("ChipType", c.chip_type), ("ROMtype", c.rom_type),
            ("AND_ID_Data", hex_text(and_id)),
            ("Inside_Number", hex_text(c.inside_number)),
            ("Device_ID_amount", len(c.device_ids)),
            ("Device_ID", None),
            ("Normal_ROM_Capacity", hex_text(c.program_capacity)),
            ("Information_ROM_Capacity", hex_text(c.info_capacity)),
            ("Read_ROM_Capacity", hex_text(c.program_capacity + c.info_capacity)),
            ("Checksum_Initial_Value", hex_text(0xFFFF if c.group else 0)),
            ("OR_Checksum_Data", hex_text(0)),
            ("Protect_Low_Data", hex_text(0, 2)),
            ("Support_ReUse_Function", 0),
            ("Check_Have_Protect", 1 if c.protect_mode else 0),
            ("Trimming_IRC", 1 if flash else 0),
            ("Trimming_IRC_Low", hex_text(0x80 if flash else 0)),
            ("Trimming_IRC_Range", hex_text(0x10 if flash else 0, 2))]),
        ("Address", [
            ("CFG_Address", hex_text(c.cfg_address)),
            ("Device_ID_Address", hex_text(c.id_address)),
            ("Checksum1_Address", hex_text(c.program_capacity - 4 if c.program_capacity > 4
                                           else 0)),
            ("Checksum2_Address", hex_text(c.program_capacity - 3 if c.program_capacity > 4
                                           else 0))]),
        ("Program_Information", [
            ("Normal_Start_Address", hex_text(0)),
            ("Reuse_Start_Address", hex_text(0)),
            ("Blankcheck_Capacity", hex_text(c.program_capacity)),
            ("Program_Capacity", hex_text(c.program_capacity)),
            ("Verify_Capacity", hex_text(c.program_capacity)),
            ("DisableHibit", hex_text(1 if word14 else 0, 2)),
            ("VDD_Power_ON_delay", 50),
            ("Program_time", 2 if c.mcu_type == "OTP" else 1),
            ("Blankcheck_Data", hex_text(blank_data)),
            ("Blankcheck_CFG_Data", hex_text(blank_data))]),
        ("Entrance_Parameter_Setup", [
            ("One_Word_Program_delay", 100 if c.mcu_type == "OTP" else 40),
            ("ProgMainRom_sda", prog_main_rom_sda(c)), ("ProgMainRom_sclk", 3),
            ("ProgIRC_sda", 2), ("ProgIRC_sclk", 2)]),
    ]
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<ICInfo>"]
    for name, keys in sections:
        lines.append("  <%s>" % name)
        for key, value in keys:
            if key == "Device_ID":
                lines.append("    <Device_ID>")
                lines += [_el(3, "ID", hex_text(v)) for v in c.device_ids]
                lines.append("    </Device_ID>")
            else:
                lines.append(_el(2, key, value))
        lines.append("  </%s>" % name)
    lines += ["  <DAC_Set_Voltage>",
              "    <Write>", _el(3, "P_VDD", p_vdd), _el(3, "P_VPP", p_vpp), "    </Write>",
              "    <Normal_Read>", _el(3, "R_VDD", r_vdd), _el(3, "R_VPP", r_vpp),
              "    </Normal_Read>",
              "    <Hi_Read>", _el(3, "R_H_VDD", round(r_vdd * 1.1, 2)), _el(3, "R_H_VPP", r_vpp),
              "    </Hi_Read>",
              "    <Low_Read>", _el(3, "R_L_VDD", round(r_vdd * 0.5, 2)), _el(3, "R_L_VPP", r_vpp),
              "    </Low_Read>",
              "  </DAC_Set_Voltage>",
              "  <Timer_Setting>", _el(2, "Timer", 1), _el(2, "Auto_Timeout", auto),
              _el(2, "Blankcheck_Timeout", blank), _el(2, "Program_Timeout", program),
              _el(2, "Verify_Timeout", verify), "  </Timer_Setting>",
              "  <Other_Setting>", _el(2, "VBG_Read", 0), _el(2, "Have_OPT", c.have_opt),
              _el(2, "Data_Read_Length", read_pair_swap),
              _el(2, "IAP_function", 1 if flash else 0), _el(2, "Have_TouchKey", 0),
              _el(2, "Have_Pagelock", c.pagelock), _el(2, "Version", 1),
              "  </Other_Setting>", "</ICInfo>", ""]
    return "\n".join(lines)


class Writer:
    """Writes the files, or with check set only compares them with what is on disk."""

    def __init__(self, check):
        self.check = check
        self.differing = []
        self.written = set()

    def __call__(self, path, text):
        data = text.encode("utf-8")
        self.written.add(os.path.normpath(path))
        if self.check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                self.differing.append(path)
            return
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=os.path.join(here, "..", "..", "data"))
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    out = args.out
    write = Writer(args.check)
    chips = chipset.all_chips()
    write(os.path.join(out, "ChipList", "KLW20_mcu.xml"), catalogue_xml(chips, False))
    write(os.path.join(out, "ChipList", "KLW21_mcu.xml"), catalogue_xml(chips, True))
    for c in chips:
        write(os.path.join(out, "ICInfo", c.name + ".ic"), ic_file(c))
        if not c.smart_opt:
            continue
        if c.chip_type in ("27", "28", "USB"):
            write(os.path.join(out, "tin", "QR46IC", c.name + ".IC"),
                  encode_option_definition(option_definition_xml(c)))
        elif c.chip_type == "37":
            write(os.path.join(out, "tin", "QR31IC", c.name + ".tin"), tin_template(c))
        else:
            write(os.path.join(out, "tin", c.name + ".tin"), tin_template(c))
    if args.check:
        for folder in ("ChipList", "ICInfo", "tin"):
            for root, _, files in os.walk(os.path.join(out, folder)):
                for name in files:
                    path = os.path.normpath(os.path.join(root, name))
                    if path not in write.written:
                        write.differing.append(path)
        for path in write.differing:
            print("differs from the chip table: %s" % os.path.normpath(path))
        return 1 if write.differing else 0
    print("%d chips written to %s" % (len(chips), os.path.normpath(out)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
