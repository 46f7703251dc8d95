"""Option templates (.tin) of the smart-option editor."""

SEP = "\x01"

# (menu text, settings, byte index, mask, values) per item; values None gives an "SW" line.
_WORD14_ITEMS = [
    ("Watchdog Timer", ["Disable", "Enable"], 0, 0x20, [0x00, 0x20]),
    ("Start-up Time", ["4.5ms", "18ms", "72ms", "288ms"], 0, 0xC0, [0x00, 0x40, 0x80, 0xC0]),
    ("Low Voltage Reset", ["Disable", "2.0V", "2.7V", "3.6V"], 1, 0x03, [0x00, 0x01, 0x02, 0x03]),
    ("Oscillator", ["IRC 4MHz", "IRC 8MHz", "Crystal", "External RC"], 1, 0x0C,
     [0x00, 0x04, 0x08, 0x0C]),
    ("Reset Pin", ["I/O pin", "Reset"], 1, 0x10, [0x00, 0x10]),
    ("Code Protect", ["Unprotect", "Protect"], 1, 0x20, [0x00, 0x20]),
]

# The option byte of the 37 chips sits in the high byte of the word; these chips read it
# after the word was shifted right by 8, so their byte index is 0.
_QR31_ITEMS = [
    ("Oscillator", ["IRC 16MHz", "IRC 8MHz", "Crystal", "External clock"], 0, 0x03,
     [0x00, 0x01, 0x02, 0x03]),
    ("Low Voltage Reset", ["Disable", "2.2V", "2.9V", "4.1V"], 0, 0x0C, [0x00, 0x04, 0x08, 0x0C]),
    ("Watchdog", ["Disable", "Enable"], 0, 0x10, [0x00, 0x10]),
    ("Code Protect", ["Unprotect", "Protect"], 0, 0x80, [0x80, 0x00]),
    ("Debug Interface", ["Enable", "Disable"], 0, 0x00, None),
]


def items_of(chip):
    return _QR31_ITEMS if chip.chip_type == "37" else _WORD14_ITEMS


def tin_template(chip):
    items = items_of(chip)
    lines = ["; %s option template" % chip.name, "[MENU]"]
    lines += [name for name, _, _, _, _ in items]
    lines += ["Operating Voltage", "[ITEM]"]
    lines += [SEP.join(settings) for _, settings, _, _, _ in items]
    lines += ["[FIRST]", "0" + "1" * len(items), "[DIPSWITCH]"]
    for _, _, index, mask, values in items:
        if values is None:
            lines.append("SW")
        else:
            lines.append(" ".join(["%X" % index, "%02X" % mask] + ["%02X" % v for v in values]))
    return "\n".join(lines) + "\n"

