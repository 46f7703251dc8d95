"""Option definitions (bit fields of the configuration word) of the 27, 28 and USB chips."""

from xml.sax.saxutils import escape, quoteattr

# (name, start bit, length, description, [(value, text), ...]) of the 14-bit chips.
_WORD14_FIELDS = [
    ("Oscillator", 0, 2, "Clock source after reset",
     [(0, "IRC 4MHz"), (1, "IRC 8MHz"), (2, "Crystal"), (3, "External RC")]),
    ("Watchdog", 2, 1, "Watchdog timer", [(0, "Disable"), (1, "Enable")]),
    ("Start-up Time", 3, 2, "Power-on start-up delay",
     [(0, "4.5ms"), (1, "18ms"), (2, "72ms"), (3, "288ms")]),
    ("Low Voltage Reset", 8, 2, "Reset level of the supply monitor",
     [(0, "Disable"), (1, "2.0V"), (2, "2.7V"), (3, "3.6V")]),
    ("Reset Pin", 10, 1, "Function of the reset pin", [(0, "I/O pin"), (1, "Reset")]),
    ("Code Protect", 13, 1, "Read-out protection of the program memory",
     [(0, "Unprotect"), (1, "Protect")]),
]

_USB_FIELDS = [
    ("USB Clock", 0, 1, "Clock of the USB engine", [(0, "Internal 48MHz"), (1, "Crystal 12MHz")]),
    ("Watchdog", 2, 1, "Watchdog timer", [(0, "Disable"), (1, "Enable")]),
    ("Low Voltage Reset", 8, 2, "Reset level of the supply monitor",
     [(0, "Disable"), (1, "2.4V"), (2, "3.0V"), (3, "4.0V")]),
    ("Code Protect", 13, 1, "Read-out protection of the program memory",
     [(0, "Unprotect"), (1, "Protect")]),
]


def fields_of(chip):
    fields = _USB_FIELDS if chip.chip_type == "USB" else _WORD14_FIELDS
    if chip.pagelock:
        fields = fields + [("Page Lock", 11, 2, "Pages locked against rewriting",
                            [(0, "None"), (1, "Page 0"), (2, "Pages 0-1"), (3, "All pages")])]
    return fields


def option_definition_xml(chip):
    location = "0x%04X" % chip.cfg_address
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<OptionData>", "  <SYSCFG>",
           "    <!-- %s configuration word at %s -->" % (chip.name, location)]
    for name, start, length, desc, options in fields_of(chip):
        out += ["    <Field>",
                "      <Name>%s</Name>" % escape(name),
                "      <Location>%s</Location>" % location,
                "      <StartBit>%d</StartBit>" % start,
                "      <Length>%d</Length>" % length,
                "      <Enable>True</Enable>",
                "      <Description>%s</Description>" % escape(desc)]
        out += ["      <Option value=%s>%s</Option>" % (quoteattr(str(v)), escape(t))
                for v, t in options]
        out.append("    </Field>")
    out += ["  </SYSCFG>", "</OptionData>", ""]
    return "\n".join(out)
