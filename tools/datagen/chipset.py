"""The chips the writer supports: names, families and what each one can do.

Every delivered text file (catalogues, IC information files, option templates and option
definitions) is written from this table by make_catalogue.py, so a chip is described once.
"""

from dataclasses import dataclass, field

# Filter texts of the Load File dialog, one per program-file kind.
FILTER_OBJ = ["QvIce Obj Files (*.obj)|*.obj||"]
FILTER_HEX = ["QvIce Hex Files (*.hex)|*.hex||"]
FILTER_OTP = ["QvIce Otp Files (*.otp)|*.otp||"]
FILTER_EPM = ["QvIce Epm Files (*.epm)|*.epm||"]
FILTER_HEX_BIN = ["QvIce Hex Files (*.hex)|*.hex|", "QvIce Bin Files (*.bin)|*.bin||"]
FILTER_ORVO = ["QvIce Orvo Files (*.orvo)|*.orvo||"]

# Chips whose ISP boxes IC Type Select forces.
FORCED_EXHV_ISP = ["QR46EP6239", "QR46YJ45B", "QR46YJ45", "QR46YJ45MB", "QR46NW51", "QR46NW51C",
                   "46EP6239MB"]
FORCED_ISP = ["31YH6019B", "31PC9923B", "31JF4668B", "31ZD2239B", "QR31YH6019", "QR31PC9923",
              "QR31JF4668", "QR31ZD2239", "QR31BV7533", "QR31PZ3944", "QR31ZJ0115", "QR31JW1910",
              "QR31WH1265", "31WH1265Z", "QR31SG1369", "QR31VB1898", "QR31NR4256", "QR31AC4132",
              "QR31ER8158", "QR31H7662A", "QR31H7662B", "QR31V5E73", "QR31Z3270", "QR31B0H58",
              "QR31K8W12N", "QR31L8140", "QR31Z314B", "QR31F8C92", "31114826MB", "QR31K1C13"]

# Serial numbers at an even address with an even length.
SERIAL_SET_E = ["QR31Z6142", "QR31B3973", "QR31Z6142B", "QR31B3973B", "QR31N4389T", "QR31E5217",
                "QR31V8123", "QR31F0692", "QR31V2390", "QR31W5613", "QR31F6776", "QR31N4365",
                "QR31K3020", "QR31W5613T", "QR31F6776T", "QR31N4365T", "QR31K3020T",
                "QR31JF4668", "QR31YH6019", "QR31PC9923", "QR31ZD2239", "31JF4668B",
                "31YH6019B", "31PC9923B", "31ZD2239B", "QR31F5925", "QR31H1974", "QR31N3856",
                "QR31JW1910", "QR31PZ3944", "QR31WH1265", "QR31ZJ0115", "QR31VE4227",
                "QR31L8140", "QR31C8651", "QR31F8C92", "QR31E3378", "QR31L7393", "QR31NDA86",
                "QR31X8913", "QR31N179A", "QR31P2801", "QR31P29H0", "QR31N2136"]

# Serial numbers of four bytes at a fixed address: (chips, accepted addresses, in Info ROM).
SERIAL_SET_F = [
    (["QR64L74M"], [0xFFD], False),
    (["QR68K39M"], [0x1FFD], False),
    (["QR68E16M", "QR68J86M"], [0x3FFD], False),
    (["QR68N88M"], [0x7FFD], False),
    (["QR64NH45L", "QR64NH45H"], [0xBFD], False),
    (["QR64YS90L", "QR64YS90H"], [0x7FD], False),
    (["QR64E26"], [0x5FD], False),
    (["QR64PX53H", "QR64PX53L"], [0xFFD], False),
    (["QR64FS38H", "QR64FS38L"], [0x1FFD], False),
    (["QR64Y09", "QR64CC36L", "QR64CC36H", "QR64CC36BL", "QR64CC36BH"], [0xEFD, 0x7F6], False),
    (["QR31V8123", "QR31E5217", "QR31V8123B", "QR31E5217B"], [0xFF2], False),
    (["QR31V2390", "QR31F0692", "QR31V2390B", "QR31F0692B"], [0x1FF2], False),
    (["QR31N4365", "QR31K3020", "QR31N4365T", "QR31K3020T"], [0x1FE2], False),
    (["QR31W5613", "QR31F6776", "QR31W5613T", "QR31F6776T"], [0x3FE2], False),
    (["QR31F5925", "QR31L8140", "QR31F8C92", "QR31NDA86", "QR31PC9923", "QR31ZD2239",
      "31PC9923B", "31ZD2239B"], [0x1FE2], False),
    (["QR31JF4668", "QR31YH6019", "31JF4668B", "31YH6019B"], [0x3FE2], False),
    (["QR31Z4150"], [0x7FF6], False),
    (["QR31N3856", "QR31PZ3944", "QR31ZJ0115"], [0x1FF6], False),
    (["QR31H1974", "QR31JW1910", "QR31WH1265", "QR31E3378"], [0x3FF6], False),
    (["QR31VE4227"], [0x600], True),
    (["QR31L1334"], [0x600], False),
    (["QR31C8651", "QR31Z6121", "QR31L7393", "QR31P2801", "QR31P29H0"], [0xE520], True),
    (["QR31N2136"], [0xE51C], True),
    (["31JE2278A", "31JE2278D"], [0x7FF6], False),
    (["QR31X8913"], [0x27F6], False),
    (["QR31N179A"], [0x33F6], False),
]

# Serial numbers that take half as many addresses as bytes (word-addressed chips).
SERIAL_SET_W = ["QR64L74M", "QR68K39M", "QR68E16M", "QR68J86M", "QR64NH45L", "QR64NH45H",
                "QR64YS90L", "QR64YS90H", "QR64E26", "QR68N88M", "QR64PX53H", "QR64PX53L",
                "QR64FS38H", "QR64FS38L", "QR64Y09", "QR64CC36L", "QR64CC36H", "QR64CC36BL",
                "QR64CC36BH"]

# Chips converted inside the program, by internal number: (chip, Inside_Number, group).
FAMILY_CONVERTERS = [
    ("QR6417", 0x1382, 8), ("QR62J61", 0x1390, 7), ("QR64G98", 0x1395, 6),
    ("QR64S27", 0x1396, 6), ("QR6401", 0x1397, 6), ("QRV7034", 0x1603, 2),
    ("QRV7041", 0x1604, 2), ("QRV7071", 0x1615, 2), ("QRV7049", 0x1622, 1),
    ("QSV6842", 0x1629, 3), ("QRV7003", 0x1630, 1), ("QRV7371", 0x1632, 1),
    ("QRV7097", 0x1633, 3), ("QRV7012", 0x1636, 1), ("QRV7038", 0x1638, 5),
    ("QV1663", 0x1663, 5), ("QN8703_5XX", 0x27505, 4), ("QN8703_8XX", 0x27506, 4),
    ("QN3244", 0x27552, 4), ("QN6223", 0x28012, 4), ("QN8703_2XX", 0x28013, 4),
]

# Chips whose template option word is read one byte higher.
SHIFTED_OPTION_CHIPS = ["QR31X3517", "QR31S0840", "QR31S2345"]


@dataclass
class Chip:
    name: str
    mcu_type: str          # "OTP", "MTP" or "Flash"
    series: str
    chip_type: str         # family code of the IC information file
    rom_type: int
    inside_number: int
    fw_file: str
    file_filter: list
    packages: list         # "<style><pins> <code>"
    program_capacity: int  # words
    info_capacity: int = 0x10
    group: int = 0         # family-converter group, 0 when converted otherwise
    exhv_isp: int = 0
    isp: int = 0
    erase: int = 0
    rolling_code: int = 0
    mass_production: int = 1
    production_limit: int = 1
    compare_file: int = 1
    read_chip_info: int = 0
    protect_mode: int = 0
    fuse_display: int = 3
    smart_opt: int = 0
    have_opt: int = 0
    pagelock: int = 0
    hex_mode: int = 1
    device_ids: list = field(default_factory=list)
    voltages: tuple = (6.5, 12.5, 5.0, 0.0)   # P_VDD, P_VPP, R_VDD, R_VPP
    cfg_address: int = 0
    id_address: int = 0


def set_f_names():
    return [n for names, _, _ in SERIAL_SET_F for n in names]


def _packages(pins, codes=("00", "01")):
    styles = ["DIP", "SOP", "SSOP"] if pins <= 28 else ["LQFP", "QFN"]
    out = []
    for style, code in zip(styles, codes):
        out.append(f"{style}{pins} {code}")
    return out


def _round_capacity(addr_end):
    cap = 0x400
    while cap < addr_end:
        cap <<= 1
    return cap


def _family_chips():
    chips = []
    otp_v = (6.5, 12.5, 5.0, 0.0)
    for name, inside, group in FAMILY_CONVERTERS:
        common = dict(name=name, inside_number=inside, group=group, rom_type=1)
        if group in (1, 2, 3):
            cap = {"QRV7049": 0x4000, "QRV7012": 0x4000, "QRV7003": 0x2000, "QRV7371": 0x4000,
                   "QRV7034": 0x800, "QRV7041": 0x1000, "QRV7071": 0x2000, "QRV7097": 0x1000,
                   "QSV6842": 0x800}[name]
            chip = Chip(mcu_type="OTP", series="QRV70 OTP Series", chip_type="70",
                        fw_file="KLW20_V70.nce",
                        file_filter=FILTER_HEX if group == 1 else FILTER_OTP,
                        packages=_packages(18 if cap >= 0x2000 else 14), program_capacity=cap,
                        rolling_code=1, voltages=otp_v, device_ids=[0x7000 | (inside & 0xFFF)],
                        cfg_address=0x3FFF, id_address=0x3FFE, **common)
            if group == 1 and name != "QRV7371":
                chip.have_opt, chip.protect_mode, chip.fuse_display = 1, 5, 1
            elif name == "QRV7371":
                chip.have_opt, chip.protect_mode, chip.fuse_display = 1, 1, 2
            chips.append(chip)
        elif group == 4:
            cap = {"QN8703_5XX": 0x800, "QN8703_8XX": 0x800, "QN3244": 0x1000,
                   "QN6223": 0x400, "QN8703_2XX": 0x400}[name]
            chip = Chip(mcu_type="OTP", series="QN87 14-bit Series", chip_type="14",
                        fw_file="KLW20_N14.nce", file_filter=FILTER_HEX,
                        packages=_packages(8 if cap == 0x400 else 16, ("00", " 2")),
                        program_capacity=cap, rolling_code=1, protect_mode=7, smart_opt=1,
                        hex_mode=2, voltages=(6.0, 12.5, 5.0, 0.0),
                        device_ids=[0x5003 if cap == 0x800 else (0x5503 if cap == 0x1000
                                                                   else 0x0103)],
                        cfg_address=cap - 1, id_address=cap - 2, **common)
            chip.exhv_isp = 1 if name in ("QN6223", "QN8703_2XX") else 0
            chips.append(chip)
        elif group == 5:
            # HextoBinMode is each converter's own HEX fill mode, so a compare reads alike.
            chip = Chip(mcu_type="MTP", series="QV EEPROM Series", chip_type="16",
                        fw_file="KLW20_EEP.nce", file_filter=FILTER_HEX_BIN,
                        packages=_packages(20), program_capacity=0x3000 if name == "QRV7038"
                        else 0x1000, info_capacity=0x100, rolling_code=1, exhv_isp=1,
                        erase=1, hex_mode=3 if name == "QRV7038" else 1,
                        voltages=(5.0, 9.0, 5.0, 0.0),
                        device_ids=[0x7038 if name == "QRV7038" else 0x1663],
                        cfg_address=0x2FFF if name == "QRV7038" else 0xFFF,
                        id_address=0x2FFE if name == "QRV7038" else 0xFFE, **common)
            chip.rom_type = 2
            if name == "QRV7038":
                chip.have_opt, chip.protect_mode, chip.fuse_display = 1, 1, 2
            else:
                chip.isp, chip.protect_mode = 1, 7
            chips.append(chip)
        else:  # groups 6, 7 and 8: 64-series OTP images
            cap = {"QR64G98": 0x1000, "QR64S27": 0x2000, "QR6401": 0x2000, "QR62J61": 0x6000,
                   "QR6417": 0x4000}[name]
            chip = Chip(mcu_type="OTP", series="QR64 OTP Series", chip_type="64",
                        fw_file="KLW20_R64.nce",
                        file_filter=FILTER_OTP if group == 6 else FILTER_OBJ,
                        packages=_packages(28 if cap >= 0x4000 else 20), program_capacity=cap,
                        info_capacity=0x400 if group == 8 else 0x10, voltages=otp_v,
                        fuse_display=2, device_ids=[0x8213 if name == "QR6417" else 0x6400 |
                                                    (inside & 0xFF)],
                        cfg_address=cap + 1, id_address=cap + 0x3FE, **common)
            if group == 6:
                chip.have_opt, chip.protect_mode = 1, 2
            else:
                chip.protect_mode = 3
            chips.append(chip)
    return chips


def _qr31_chips():
    """The 37 family: Flash chips with ISP, serial rules by chip."""
    f_rows = {n: (addrs, info) for names, addrs, info in SERIAL_SET_F for n in names}
    names = []
    for group in (FORCED_ISP, SERIAL_SET_E, [n for n in set_f_names() if "31" in n[:4]],
                  SHIFTED_OPTION_CHIPS, ["QR31M2048", "QR31T1602"]):
        for n in group:
            if n not in names:
                names.append(n)
    chips = []
    for i, name in enumerate(names):
        cap = 0x1000
        info = 0x10
        if name in f_rows:
            addrs, in_info = f_rows[name]
            if in_info:
                # The serial lies in the information area behind the main ROM.
                cap = 0xE400 if addrs[0] >= 0xE000 else 0x2000
                info = 0x200 if addrs[0] >= 0xE000 else 0x800
            else:
                cap = _round_capacity(max(addrs) + 4)
        elif i % 3 == 0:
            cap = 0x2000
        pins = 20 if cap <= 0x2000 else 28
        chip = Chip(name=name, mcu_type="Flash", series="QR31 Flash Series", chip_type="37",
                    rom_type=1 + i % 6, inside_number=0x3701 + i, fw_file="KLW20_37.nce",
                    file_filter=FILTER_ORVO if i % 4 else FILTER_HEX,
                    packages=_packages(pins, ("00", "01") if i % 2 else ("02", " 3")),
                    program_capacity=cap, info_capacity=info, erase=1, hex_mode=2,
                    protect_mode=8 if i % 2 else 10, read_chip_info=1,
                    voltages=(5.0, 8.5, 5.0, 0.0), device_ids=[0x3100 + (i & 0xFF)],
                    cfg_address=0xFFF0, id_address=0xFFF8)
        chip.isp = 1 if name in FORCED_ISP or i % 2 == 0 else 0
        chip.rolling_code = 1 if name in SERIAL_SET_E or name in f_rows or i % 5 == 0 else 0
        if name in ("QR31S0840", "QR31X3517"):
            chip.smart_opt = 1
        chips.append(chip)
    return chips


def _qr46_chips():
    """The 27 and 28 families: 14-bit OTP and MTP chips with option definitions."""
    rows = [  # name, type, chip type, ROMtype, capacity, pagelock
        ("QR46YJ45", "OTP", "27", 0, 0x800, 0), ("QR46YJ45B", "OTP", "27", 0, 0x800, 0),
        ("QR46YJ45MB", "OTP", "27", 0, 0x1000, 0), ("QR46TA1802", "OTP", "27", 0, 0x400, 0),
        ("QR46EP6239", "MTP", "27", 1, 0x1000, 0), ("46EP6239MB", "MTP", "27", 1, 0x1000, 0),
        ("QR46NW51", "OTP", "28", 0, 0x800, 0), ("QR46NW51C", "OTP", "28", 3, 0x800, 0),
        ("QR46NW53", "OTP", "28", 4, 0x1000, 0), ("QR46MP2208", "MTP", "28", 1, 0x800, 0),
        ("QR46PL1208", "MTP", "28", 2, 0x800, 1), ("QR46PL1216", "MTP", "28", 2, 0x1000, 1),
        ("QR46FL5916", "Flash", "28", 5, 0x2000, 0), ("QR46FL7032", "Flash", "28", 6, 0x4000, 0),
    ]
    chips = []
    for i, (name, mcu, ctype, rom, cap, pagelock) in enumerate(rows):
        series = {"OTP": "QR46 OTP Series", "MTP": "QR46 MTP Series",
                  "Flash": "QR46 Flash Series"}[mcu]
        chip = Chip(name=name, mcu_type=mcu, series=series, chip_type=ctype, rom_type=rom,
                    inside_number=(0x2701 if ctype == "27" else 0x2801) + i,
                    fw_file=f"KLW20_{ctype}.nce", file_filter=FILTER_HEX,
                    packages=_packages(8 if cap <= 0x800 else 14, ("00", "01")),
                    program_capacity=cap, rolling_code=1, hex_mode=2, smart_opt=1,
                    pagelock=pagelock, erase=0 if mcu == "OTP" else 1,
                    voltages=(6.5, 12.5, 5.0, 0.0) if mcu == "OTP" else (5.0, 9.0, 5.0, 0.0),
                    device_ids=[0x4600 + i, 0x4680 + i], cfg_address=0x2007,
                    id_address=0x2006)
        chip.exhv_isp = 1 if name in FORCED_EXHV_ISP or mcu != "OTP" else 0
        chip.read_chip_info = 1 if mcu != "OTP" else 0
        chips.append(chip)
    return chips


def _qr6x_chips():
    """The 89 family: 8-bit chips with word-addressed serial numbers."""
    rom_of = {"QR68": 0, "QR64NH45": 1, "QR64FS38": 2, "QR64FD61": 3, "QR64EJ38": 4}
    f_rows = {n: addrs for names, addrs, _ in SERIAL_SET_F for n in names}
    names = [n for n in SERIAL_SET_W if n != "QR64L74M"] + ["QR64FD61", "QR64EJ38",
                                                            "QR68B80", "QR68B86"]
    chips = []
    for i, name in enumerate(names):
        rom = next((r for prefix, r in rom_of.items() if name.startswith(prefix)), 4)
        cap = _round_capacity(max(f_rows[name]) + 2) if name in f_rows else 0x2000
        if name.startswith("QR64NH45"):
            cap = 0xC00
        mcu = "MTP" if name.startswith("QR68") else "Flash"
        chip = Chip(name=name, mcu_type=mcu, series="QR68 MTP Series" if mcu == "MTP"
                    else "QR64 Flash Series", chip_type="89", rom_type=rom,
                    inside_number=0x8901 + i, fw_file="KLW20_89.nce", file_filter=FILTER_HEX,
                    packages=_packages(16 if cap <= 0x1000 else 20, ("00", "01")),
                    program_capacity=cap, rolling_code=1, erase=1, isp=1 if i % 2 else 0,
                    protect_mode=9 if rom == 1 else 4, fuse_display=2,
                    voltages=(5.0, 10.5, 5.0, 0.0), device_ids=[0x6800 + i],
                    cfg_address=cap - 1, id_address=cap - 2)
        chips.append(chip)
    return chips


def _usb_chips():
    rows = [("QU2201", 1, 0x2000), ("QU2203A", 1, 0x4000), ("QU2208", 1, 0x4000),
            ("QU5105", 5, 0x8000), ("QU5116", 5, 0x8000)]
    chips = []
    for i, (name, rom, cap) in enumerate(rows):
        chips.append(Chip(name=name, mcu_type="Flash", series="QU USB Series", chip_type="USB",
                          rom_type=rom, inside_number=0x5501 + i, fw_file="KLW20_USB.nce",
                          file_filter=FILTER_HEX_BIN, packages=_packages(28 if rom == 1 else 32),
                          program_capacity=cap, erase=1, isp=1, smart_opt=1 if rom == 1 else 0,
                          read_chip_info=1, voltages=(3.3, 8.0, 3.3, 0.0),
                          device_ids=[0x5500 + i], cfg_address=cap - 1, id_address=cap - 2))
    return chips


def _generic_chip():
    # Converted by the model converter; serial number word-addressed at 0xFFD.
    return Chip(name="QR64L74M", mcu_type="OTP", series="QR64 OTP Series", chip_type="64",
                rom_type=1, inside_number=0x6474, fw_file="KLW20_R64.nce",
                file_filter=FILTER_EPM, packages=_packages(18), program_capacity=0x1000,
                info_capacity=0x10, rolling_code=1, protect_mode=3, fuse_display=2,
                voltages=(6.5, 12.5, 5.0, 0.0), device_ids=[0x7464], cfg_address=0x1001,
                id_address=0x1003)


def all_chips():
    chips = (_family_chips() + [_generic_chip()] + _qr6x_chips() + _qr46_chips()
             + _qr31_chips() + _usb_chips())
    return chips
