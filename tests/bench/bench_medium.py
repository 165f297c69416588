#!/usr/bin/env python3
"""The large installation medium of scripts/bench, the copy outside Wine that
SETUP.EXE's copy is compared with, and the summary of the measured figures.

  bench_medium.py make BENCH_DIR      lay out BENCH_DIR/medium (kept while this file is unchanged)
  bench_medium.py native BENCH_DIR [expand]
                                      copy its plain files with cp into BENCH_DIR/out-native
                                      (and with "expand" its compressed ones with msexpand)
  bench_medium.py report BENCH_DIR    print the medians and ratios of BENCH_DIR/results.txt
"""
import hashlib
import os
import random
import shutil
import statistics
import subprocess
import sys
import time

DISKS = 3
SMALL_FILES = 1000
SMALL_SIZES = (512, 16 * 1024)
MB = 1024 * 1024
# (disk, name, size, compressed): a few files of tens of megabytes, half of them compressed.
LARGE_FILES = [(1, "LARGE1.DAT", 24 * MB, False), (2, "LARGE2.DAT", 24 * MB, True),
               (3, "LARGE3.DAT", 16 * MB, False), (3, "LARGE4.DAT", 16 * MB, True)]
DESTINATION = "C:\\RKBENCH\\Roller Kit"
# Disk 1 in the medium's top folder, the others in subfolders.
DISK_DIRS = {1: ("RootDir", "."), 2: ("SubDir1", "DATA2"), 3: ("SubDir2", "DATA3")}


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# Raise it whenever the files' contents change in a way the figures above do not show.
MEDIUM_VERSION = 1


def medium_stamp():
    recipe = repr((MEDIUM_VERSION, DISKS, SMALL_FILES, SMALL_SIZES, LARGE_FILES, DISK_DIRS, DESTINATION))
    return hashlib.sha256(recipe.encode()).hexdigest()


def text_block(rng):
    """A megabyte of words: text that LZ compresses about as a help file does."""
    letters = "etaoinshrdlucmfwypvbgkjqxz"
    words = ["".join(rng.choice(letters) for _ in range(rng.randint(2, 9))) for _ in range(400)]
    out, size = [], 0
    while size < MB:
        line = " ".join(rng.choice(words) for _ in range(rng.randint(6, 14))) + "\r\n"
        out.append(line)
        size += len(line)
    return "".join(out).encode("ascii")[:MB]


def content(rng, block, size):
    pieces, left = [], size
    while left > 0:
        n = min(left, 64 * 1024)
        start = rng.randrange(0, len(block) - n)
        pieces.append(block[start:start + n])
        left -= n
    return b"".join(pieces)


def file_plan():
    """(disk, target name, size, compressed) for every file, in the script's order."""
    rng = random.Random(8)
    plan = []
    per_disk = [SMALL_FILES // DISKS + (1 if d < SMALL_FILES % DISKS else 0) for d in range(DISKS)]
    number = 0
    for disk in range(1, DISKS + 1):
        for _ in range(per_disk[disk - 1]):
            number += 1
            plan.append((disk, "F%05d.TXT" % number, rng.randint(*SMALL_SIZES), number % 2 == 0))
        plan.extend(entry for entry in LARGE_FILES if entry[0] == disk)
    return plan


def source_name(target, compressed):
    return target[:-1] + "_" if compressed else target


def write_script(medium, plan, destination):
    lines = ["[Main]", "ProductName=Roller Kit", "DefaultPath=" + destination, "MinimumSpace=1024",
             "GroupName=ROLLER.GRP", "GroupTitle=Roller Kit", "OEM=0", "", "[DiskLabel]"]
    lines += ["Disk%d=Roller Kit Bench Disk %d" % (d, d) for d in range(1, DISKS + 1)]
    lines += ["", "[DirectoryName]"] + ["%s=%s" % DISK_DIRS[d] for d in range(1, DISKS + 1)]
    lines += ["", "[FileCounts]"]
    lines += ["Disk%d=%d" % (d, sum(1 for f in plan if f[0] == d)) for d in range(1, DISKS + 1)]
    for disk in range(1, DISKS + 1):
        lines += ["", "[Disk%d]" % disk]
        files = [f for f in plan if f[0] == disk]
        for key, (_, target, _, compressed) in enumerate(files, 1):
            lines.append("%d=%s, %s, Bench file %s, %s" % (key, source_name(target, compressed), target, key,
                                                              DISK_DIRS[disk][0]))
    with open(os.path.join(medium, "SETUP.INF"), "w", newline="\r\n") as script:
        script.write("\n".join(lines) + "\n")


def make(bench):
    medium = os.path.join(bench, "medium")
    stamp_path = os.path.join(medium, ".stamp")
    stamp = medium_stamp() + " " + windows_path(bench)
    if os.path.exists(stamp_path) and open(stamp_path).read() == stamp:
        return
    print("bench: laying out the medium in %s" % medium, flush=True)
    shutil.rmtree(medium, ignore_errors=True)
    rng = random.Random(1024)
    block = text_block(rng)
    plan = file_plan()
    for disk in range(1, DISKS + 1):
        os.makedirs(os.path.join(medium, DISK_DIRS[disk][1]), exist_ok=True)
    packed = {d: [] for d in range(1, DISKS + 1)}
    for disk, target, size, compressed in plan:
        folder = os.path.join(medium, DISK_DIRS[disk][1])
        with open(os.path.join(folder, target), "wb") as out:
            out.write(content(rng, block, size))
        if compressed:
            packed[disk].append(target)
    for disk, names in packed.items():
        folder = os.path.join(medium, DISK_DIRS[disk][1])
        for start in range(0, len(names), 200):
            subprocess.run(["mscompress"] + names[start:start + 200], cwd=folder, check=True)
        for name in names:
            os.remove(os.path.join(folder, name))
            os.rename(os.path.join(folder, name + "_"), os.path.join(folder, source_name(name, True)))
    # The loader puts the Windows drive's letter in front of the default path.
    write_script(medium, plan, DESTINATION)
    # The same copy for bench_lzcopy.exe, into out-lzcopy.
    with open(os.path.join(bench, "lzcopy.lst"), "w") as listing:
        for disk, target, _, compressed in plan:
            folder = DISK_DIRS[disk][1]
            listing.write("%s\t%s\n" % (windows_path(os.path.join(medium, folder, source_name(target, compressed))),
                                        windows_path(os.path.join(bench, "out-lzcopy", folder, target))))
    with open(stamp_path, "w") as out:
        out.write(stamp)


def native(bench, expand):
    """cp for the plain files and msexpand for the compressed ones, one process
    per folder and tool, so that starting programs does not count. Prints
    "NATIVE_US <cp> <msexpand>", the latter -1 when not asked for."""
    medium = os.path.join(bench, "medium")
    out = os.path.join(bench, "out-native")
    shutil.rmtree(out, ignore_errors=True)
    jobs = []
    for disk in range(1, DISKS + 1):
        folder = DISK_DIRS[disk][1]
        target_dir = os.path.join(out, folder)
        os.makedirs(target_dir, exist_ok=True)
        files = [f for f in file_plan() if f[0] == disk]
        plain = [os.path.join(medium, folder, t) for _, t, _, c in files if not c]
        links = []
        for _, target, _, compressed in files:
            if compressed:
                # msexpand writes NAME.EXT beside its input NAME.EXT_: a link in
                # the target folder makes it write there.
                link = os.path.join(target_dir, target + "_")
                os.symlink(os.path.join(medium, folder, source_name(target, True)), link)
                links.append(link)
        jobs.append((plain, target_dir, links))
    start = time.perf_counter()
    for plain, target_dir, _ in jobs:
        subprocess.run(["cp", "-t", target_dir] + plain, check=True)
    copy_us = (time.perf_counter() - start) * 1e6
    expand_us = -1
    if expand:
        start = time.perf_counter()
        for _, _, links in jobs:
            subprocess.run(["msexpand"] + links, check=True, stdout=subprocess.DEVNULL)
        expand_us = (time.perf_counter() - start) * 1e6
    for _, _, links in jobs:
        for link in links:
            os.remove(link)
    print("NATIVE_US %d %d" % (copy_us, expand_us))


def read_results(bench):
    results = {}
    with open(os.path.join(bench, "results.txt")) as lines:
        for line in lines:
            fields = line.split()
            if fields:
                results.setdefault(fields[0], []).append([float(x) for x in fields[1:]])
    return results


def median(rows, column=0):
    return statistics.median(row[column] for row in rows)


def report(bench):
    r = read_results(bench)
    plan = file_plan()
    total = sum(size for _, _, size, _ in plan)
    count = len(plan)
    sizes = [s for s in ("1024x768", "1920x1080") if "startup-" + s in r]
    runs = len(r.get("startup-" + sizes[0], [])) if sizes else 0
    print()
    print("== Start-up: from CreateProcess to the welcome page (median of %d runs, interleaved) ==" % runs)
    print("%-10s %14s %16s %16s" % ("screen", "background up", "welcome page", "up -> welcome"))
    welcome = {}
    missed = 0
    for size in sizes:
        rows = r["startup-" + size]
        welcome[size] = median(rows, 1)
        # A background that was not caught before the page (-1) counts for neither.
        seen = [row for row in rows if row[0] >= 0]
        missed += len(rows) - len(seen)
        up = "%11.0f ms" % (median(seen, 0) / 1e3) if seen else "%14s" % "-"
        gap = "%13.0f ms" % (statistics.median(b - a for a, b in seen) / 1e3) if seen else "%16s" % "-"
        print("%-10s %s %13.0f ms %s" % (size, up, welcome[size] / 1e3, gap))
    if missed:
        print("(the background was not caught before the page in %d run%s)" % (missed, "" if missed == 1 else "s"))
    if len(sizes) == 2:
        print("ratio 1920x1080 / 1024x768: %.2f" % (welcome[sizes[1]] / welcome[sizes[0]]))
    for size in sizes:
        rows = r.get("bare-" + size)
        if rows:
            print("%-10s a windowed program that only connects to the display and ends: %.0f ms" %
                  (size, median(rows) / 1e3))
    for size in sizes:
        rows = r.get("bare-" + size)
        if rows:
            print("%-10s ratio welcome page / bare program: %.2f" % (size, welcome[size] / median(rows)))
    print()
    print("   in-process (bench_paint.exe): creation + first paint, and its parts")
    print("%-10s %14s %16s %16s %16s" % ("screen", "create+paint", "dissolve (both)", "logos direct", "repaint"))
    for size in sizes:
        rows = r.get("paint-" + size)
        if rows:
            print("%-10s %11.0f ms %13.0f ms %13.0f ms %13.0f ms" % (size, median(rows, 0) / 1e3, median(rows, 1) / 1e3,
                                                                 median(rows, 2) / 1e3, median(rows, 3) / 1e3))
    if "copy" in r:
        packed_bytes = sum(size for _, _, size, compressed in plan if compressed)
        plain_bytes = total - packed_bytes
        packed_count = sum(1 for f in plan if f[3])
        setup_us, lz_us = median(r["copy"]), median(r["lzcopy"])
        cp_us = median(r["native"])
        expand_rows = [row for row in r["native"] if row[1] >= 0]
        expand_us = median(expand_rows, 1)
        native_us = cp_us + expand_us
        print()
        print("== Copy: %d files (%d LZ-compressed), %.1f MB written (%.1f MB from plain, %.1f MB from compressed "
              "sources); median of %d runs, interleaved ==" % (count, packed_count, total / MB, plain_bytes / MB,
                                                               packed_bytes / MB, len(r["copy"])))

        def line(name, us, size, note=""):
            print("%-44s %8.0f ms %8.1f MB/s%s" % (name, us / 1e3, size / MB / (us / 1e6), note))

        line("SETUP.EXE install page", setup_us, total)
        line("LZ32 calls alone under Wine (bench_lzcopy)", lz_us, total)
        line("  plain sources", median(r["lzcopy"], 1), plain_bytes)
        line("  compressed sources", median(r["lzcopy"], 2), packed_bytes)
        line("cp, plain sources, native", cp_us, plain_bytes)
        line("msexpand, compressed sources, native", expand_us, packed_bytes,
             "  (%d run%s)" % (len(expand_rows), "" if len(expand_rows) == 1 else "s"))
        line("cp + msexpand, native", native_us, total)
        print("ratio of throughputs, install page / (cp + msexpand): %.2f" % (native_us / setup_us))
        print("ratio of throughputs, install page / LZ32 alone:      %.2f" % (lz_us / setup_us))
        print("ratio of throughputs, LZ32 plain / cp:                %.2f" % (cp_us / median(r["lzcopy"], 1)))
        print("ratio of throughputs, LZ32 compressed / msexpand:     %.2f" % (expand_us / median(r["lzcopy"], 2)))
        print("per file beside the copy (status text, percentage, bar, pumps): %.2f ms" %
              ((setup_us - lz_us) / count / 1e3))
    if "memory" in r:
        rows = r["memory"]
        print()
        print("== Memory of SETUP.EXE (median of %d runs) ==" % len(rows))
        # Wine fills PeakWorkingSetSize from VmHWM and both pagefile figures
        # from the present RssAnon + VmSwap: only the first is a peak.
        print("GetProcessMemoryInfo at the welcome page: PeakWorkingSetSize %.1f MB, PeakPagefileUsage %.1f MB" %
              (median(rows, 0) / 1024, median(rows, 1) / 1024))
        print("GetProcessMemoryInfo at the finish page:  PeakWorkingSetSize %.1f MB, PeakPagefileUsage %.1f MB" %
              (median(rows, 2) / 1024, median(rows, 3) / 1024))
        if "vmhwm" in r:
            print("/proc/<pid>/status at the finish page:    VmHWM %.1f MB, RssAnon %.1f MB, VmPeak %.1f MB" %
                  (median(r["vmhwm"], 0) / 1024, median(r["vmhwm"], 1) / 1024, median(r["vmhwm"], 2) / 1024))


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ("make", "native", "report"):
        sys.exit(__doc__)
    if sys.argv[1] == "native":
        native(sys.argv[2], sys.argv[3:] == ["expand"])
    else:
        {"make": make, "report": report}[sys.argv[1]](sys.argv[2])


if __name__ == "__main__":
    main()
