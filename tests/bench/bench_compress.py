#!/usr/bin/env python3
"""mkmedium's LZ compressor against mscompress, outside Wine: the size of
every file each makes, and the time each takes for a set of files in one
process, on the sample medium's compressed files and on larger files of
mixed kinds. Every file mkmedium makes is expanded with msexpand and
compared with its original first.

  bench_compress.py BENCH_DIR MKMEDIUM STAGE_DIR PROGRAM RUNS
      STAGE_DIR: the sample medium's sources (build/media/stage)
      PROGRAM:   a large program of the build, one of the larger files
"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench_medium import MB, text_block  # noqa: E402

# The files that the sample medium's description compresses.
SAMPLE_FILES = ["QVMAIN.EXE", "QVPAGE.DLL", "HELP/ROLLER.HLP", "SAMPLES/SCROLL.TXT", "DRIVER/RKMOUSE.SYS",
                "RKMOUSE.INF"]
SCREENSHOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", "screens",
                          "04-install.png")


def make_larger_files(folder, program):
    """Text, a program, a bitmap and noise, each a few megabytes; all but the
    program, which the build makes, kept between runs."""
    os.makedirs(folder, exist_ok=True)
    files = []

    def keep(name, make):
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            make(path)
        files.append(path)

    def text(path):
        rng = random.Random(1024)
        block = text_block(rng)
        with open(path, "wb") as out:
            for _ in range(8):
                out.write(block)

    def noise(path):
        rng = random.Random(7)
        with open(path, "wb") as out:
            out.write(bytes(rng.getrandbits(8) for _ in range(4 * MB)))

    def bitmap(path):
        subprocess.run(["convert", SCREENSHOT, "-type", "truecolor", "bmp3:" + path], check=True)

    keep("TEXT.TXT", text)
    shutil.copyfile(program, os.path.join(folder, "PROGRAM.EXE"))
    files.append(os.path.join(folder, "PROGRAM.EXE"))
    keep("SCREEN.BMP", bitmap)
    keep("NOISE.DAT", noise)
    return files


def packed_name(name):
    base, dot, ext = name.rpartition(".")
    if not dot:
        return name + "._"
    return name + "_" if len(ext) < 3 else name[:-1] + "_"


def run_mkmedium(mkmedium, files, out):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    start = time.perf_counter()
    subprocess.run([mkmedium, "compress", out] + files, check=True)
    elapsed = time.perf_counter() - start
    return elapsed, {f: os.path.getsize(os.path.join(out, packed_name(os.path.basename(f)))) for f in files}


def run_mscompress(files, work):
    """mscompress writes NAME_ beside NAME: it works on copies."""
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    copies = []
    for f in files:
        copy = os.path.join(work, os.path.basename(f))
        shutil.copyfile(f, copy)
        copies.append(copy)
    start = time.perf_counter()
    subprocess.run(["mscompress"] + copies, check=True)
    elapsed = time.perf_counter() - start
    return elapsed, {f: os.path.getsize(c + "_") for f, c in zip(files, copies)}


def check_round_trip(mkmedium, files, out):
    for f in files:
        packed = os.path.join(out, packed_name(os.path.basename(f)))
        with open(packed, "rb") as source:
            expanded = subprocess.run(["msexpand"], stdin=source, stdout=subprocess.PIPE, check=True).stdout
        with open(f, "rb") as original:
            if expanded != original.read():
                sys.exit("bench: msexpand does not give back %s from mkmedium's %s" % (f, packed))


def measure(name, mkmedium, files, bench, runs):
    out = os.path.join(bench, "compress-mkmedium")
    work = os.path.join(bench, "compress-mscompress")
    run_mkmedium(mkmedium, files, out)
    check_round_trip(mkmedium, files, out)
    ours, theirs = [], []
    # Taking turns, so that a busy moment of the machine falls on both.
    for _ in range(runs):
        t, our_sizes = run_mkmedium(mkmedium, files, out)
        ours.append(t)
        t, their_sizes = run_mscompress(files, work)
        theirs.append(t)
    shutil.rmtree(out, ignore_errors=True)
    shutil.rmtree(work, ignore_errors=True)

    print()
    print("== Compression of %s: mkmedium against mscompress (sizes in bytes; times the median of %d runs, "
          "interleaved) ==" % (name, runs))
    print("%-22s %12s %12s %12s %8s" % ("file", "original", "mscompress", "mkmedium", "ratio"))
    total = [0, 0, 0]
    for f in files:
        size = os.path.getsize(f)
        total[0] += size
        total[1] += their_sizes[f]
        total[2] += our_sizes[f]
        print("%-22s %12d %12d %12d %8.3f" % (os.path.basename(f), size, their_sizes[f], our_sizes[f],
                                              our_sizes[f] / their_sizes[f]))
    print("%-22s %12d %12d %12d %8.3f" % ("all", total[0], total[1], total[2], total[2] / total[1]))
    t_ours, t_theirs = statistics.median(ours), statistics.median(theirs)
    print("time: mscompress %.3f s (%.1f MB/s), mkmedium %.3f s (%.1f MB/s); mscompress / mkmedium %.2f" %
          (t_theirs, total[0] / MB / t_theirs, t_ours, total[0] / MB / t_ours, t_theirs / t_ours))


def main():
    bench, mkmedium, stage, program, runs = sys.argv[1:6]
    runs = int(runs)
    sample = [os.path.join(stage, f) for f in SAMPLE_FILES]
    measure("the sample medium's compressed files", mkmedium, sample, bench, runs)
    measure("larger files of mixed kinds", mkmedium, make_larger_files(os.path.join(bench, "compress-files"), program),
            bench, runs)


if __name__ == "__main__":
    main()
