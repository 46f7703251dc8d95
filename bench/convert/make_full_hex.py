#!/usr/bin/env python3
"""Writes a full 64 KiB Intel HEX file (4096 data records of 16 bytes, valid checksums)."""
import random
import sys


def record(address, data, kind=0):
    fields = [len(data), address >> 8, address & 0xFF, kind] + list(data)
    checksum = (-sum(fields)) & 0xFF
    return ":" + "".join("%02X" % b for b in fields) + "%02X\n" % checksum


def main():
    out = sys.argv[1]
    rng = random.Random(6842)
    with open(out, "w", newline="\r\n" if "--crlf" in sys.argv else "\n") as f:
        for address in range(0, 0x10000, 16):
            f.write(record(address, bytes(rng.randrange(256) for _ in range(16))))
        f.write(":00000001FF\n")


if __name__ == "__main__":
    main()
