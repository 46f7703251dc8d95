#!/usr/bin/env python3
"""Times the conversion of a full 64 KiB Intel HEX file as a whole process: the command-line
tool (select a chip whose converter reads all 64 KiB, convert) side by side with objcopy and
srec_cat, in one run.

usage: hex_side_by_side.py CLI BASE_DIR [RUNS]

Reports the median wall time and CPU time (user + system of the child) per process over
interleaved rounds; on a busy machine the CPU time is the steadier figure.
"""
import filecmp
import os
import random
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
# QRV7049 and most chips take less than 64 KiB; this one's converter reads the whole file.
CHIP = "QV1663"


def child_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def measure(command):
    cpu_before = child_cpu()
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return (time.perf_counter() - start) * 1e3, (child_cpu() - cpu_before) * 1e3


def main():
    cli, base = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 50
    with tempfile.TemporaryDirectory() as work:
        shutil.copytree(base, os.path.join(work, "base"))
        hex_file = os.path.join(work, "full64k.hex")
        subprocess.run([sys.executable, os.path.join(HERE, "make_full_hex.py"), hex_file],
                       check=True)
        commands = {
            "vexlor-writer-cli select+convert": [cli, "--base-dir", os.path.join(work, "base"),
                                                 "select", CHIP, "convert", hex_file],
            "objcopy -I ihex -O binary": ["objcopy", "-I", "ihex", "-O", "binary", hex_file,
                                          os.path.join(work, "objcopy.bin")],
            "srec_cat -intel -o -binary": ["srec_cat", hex_file, "-intel", "-o",
                                           os.path.join(work, "srec.bin"), "-binary"],
        }
        # Interleaved rounds, so a burst of load elsewhere hits every tool alike; in a fresh
        # order each round, because a run pays part of the file system's work left by the run
        # before it (a fixed order moved one tool's figure by 5-15 %).
        samples = {name: ([], []) for name in commands}
        order = list(commands)
        shuffler = random.Random(1663)
        for _ in range(runs):
            shuffler.shuffle(order)
            for name in order:
                wall, cpu = measure(commands[name])
                samples[name][0].append(wall)
                samples[name][1].append(cpu)
        totals = {name: (statistics.median(wall), statistics.median(cpu))
                  for name, (wall, cpu) in samples.items()}
        # The tool's image of the HEX file must equal what the others make of it.
        ours = os.path.join(work, "base", "work", "full64k.bin")
        for other in ("objcopy.bin", "srec.bin"):
            if not filecmp.cmp(ours, os.path.join(work, other), shallow=False):
                sys.exit("images differ: base/work/full64k.bin and " + other)
        size = os.path.getsize(hex_file)
        print(f"median of {runs} interleaved runs, {size} bytes of Intel HEX -> 65536 bytes")
        for name, (wall, cpu) in totals.items():
            print(f"{name:34s} wall {wall:7.2f} ms   cpu {cpu:7.2f} ms")
        tool = totals["vexlor-writer-cli select+convert"]
        for other in ("objcopy -I ihex -O binary", "srec_cat -intel -o -binary"):
            print(f"tool / {other.split()[0]:8s}  wall {tool[0] / totals[other][0]:.2f}"
                  f"   cpu {tool[1] / totals[other][1]:.2f}")


if __name__ == "__main__":
    main()
