#!/usr/bin/python3
"""Times Ledgerline's batch conversion on the standard workloads.

    bench/run_benchmarks.py [--only W1s,W2] [--rounds 3] [--build build]

Generates the workloads once (cached in bench/workloads/, made by the
shared generator make_workloads.py), then runs, interleaved, one warm-up
round and --rounds measured rounds of:
  * ours:   build/ledgerline -batch -type=dbase3 -outcharset="Cyrillic (Windows)"
  * floor:  build/bench/xlsx_floor (inflate + tokenize the sheet and shared
            strings with libzip and expat; .xlsx workloads only)
  * ogr2ogr -f "ESRI Shapefile" -lco ENCODING=CP1251, when GDAL is installed
and prints the medians of wall time, CPU time and peak memory, records per
second, our ratios to the floor and to ogr2ogr, and whether the targets
hold. The first measured output of each workload is checked with the
shared dbf_summary.py (record count, file size, Cyrillic texts).
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

WORKLOADS = {
    # id: (file, records, sheets)
    "W1": ("book_w1.xlsx", 1_000_000, 1),
    "W1s": ("book_w1s.xlsx", 100_000, 1),
    "W2": ("book_w2.xls", 65_535, 1),
    "W4": ("book_w4.xlsx", 200_000, 10),
}


def shared_bench_dir():
    for candidate in (os.environ.get("LEDGERLINE_SHARED"), os.path.join(ROOT, "..", "shared"), "/work/shared"):
        if candidate and os.path.isfile(os.path.join(candidate, "bench", "make_workloads.py")):
            return os.path.join(candidate, "bench")
    sys.exit("run_benchmarks: the shared bench folder (make_workloads.py) was not found; set LEDGERLINE_SHARED")


def ensure_workloads(ids, data_dir, generator_dir):
    os.makedirs(data_dir, exist_ok=True)
    missing = [w for w in ids if not os.path.exists(os.path.join(data_dir, WORKLOADS[w][0]))]
    if missing:
        print(f"generating {','.join(missing)} in {data_dir} (W1 takes about two minutes)", flush=True)
        subprocess.run(["/usr/bin/python3", os.path.join(generator_dir, "make_workloads.py"), data_dir,
                        "--only", ",".join(missing)], check=True)


def measure(command, env=None):
    """Runs a command; returns wall seconds, CPU seconds, peak MB, exit status."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0, os.waitstatus_to_exitcode(status)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--only", default="W1,W1s,W2,W4")
    ap.add_argument("--rounds", type=int, default=3)
    ap.add_argument("--build", default=os.path.join(ROOT, "build"))
    ap.add_argument("--data", default=os.environ.get("LEDGERLINE_BENCH_DATA", os.path.join(HERE, "workloads")))
    ap.add_argument("--no-ogr", action="store_true", help="skip ogr2ogr even when installed")
    args = ap.parse_args()

    ids = [w.strip() for w in args.only.split(",") if w.strip()]
    for w in ids:
        if w not in WORKLOADS:
            sys.exit(f"run_benchmarks: unknown workload {w}")
    program = os.path.join(args.build, "ledgerline")
    floor = os.path.join(args.build, "bench", "xlsx_floor")
    for needed in (program, floor):
        if not os.access(needed, os.X_OK):
            sys.exit(f"run_benchmarks: {needed} is missing; build first (scripts/build.sh)")
    generator_dir = shared_bench_dir()
    ensure_workloads(ids, args.data, generator_dir)
    ogr = None if args.no_ogr else shutil.which("ogr2ogr")

    scratch = tempfile.mkdtemp(prefix="ledgerline-bench-")
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(scratch, "config"), QT_QPA_PLATFORM="offscreen")

    def commands(w):
        book = os.path.join(args.data, WORKLOADS[w][0])
        out = os.path.join(scratch, w)
        result = {"ours": (["-"], out, [program, "-batch", f"-output={out}/", "-type=dbase3",
                                        "-outcharset=Cyrillic (Windows)", "-files=overwrite", book])}
        if book.endswith(".xlsx"):
            result["floor"] = (None, None, [floor, book])
        if ogr:
            ogr_out = os.path.join(scratch, w + "-ogr")
            result["ogr2ogr"] = (None, ogr_out, [ogr, "-f", "ESRI Shapefile", "-lco", "ENCODING=CP1251",
                                                 "-overwrite", ogr_out, book])
        return result

    samples = {}  # (workload, tool) -> [(wall, cpu, mb)]
    checked = set()
    for round_index in range(args.rounds + 1):
        for w in ids:
            for tool, (_, out, command) in commands(w).items():
                if out:
                    shutil.rmtree(out, ignore_errors=True)
                    os.makedirs(out, exist_ok=True)
                wall, cpu, mb, status = measure(command, env)
                if status != 0:
                    print(f"  {w} {tool}: exit status {status}", flush=True)
                if round_index == 0:
                    continue  # warm-up
                samples.setdefault((w, tool), []).append((wall, cpu, mb))
                if tool == "ours" and w not in checked:
                    checked.add(w)
                    check_output(w, out, generator_dir)
        print(f"round {round_index} {'(warm-up) ' if round_index == 0 else ''}done", flush=True)

    report(ids, samples, ogr is not None)
    shutil.rmtree(scratch, ignore_errors=True)


def check_output(w, out, generator_dir):
    tables = sorted(f for f in os.listdir(out) if f.lower().endswith(".dbf"))
    _, records, sheets = WORKLOADS[w]
    if len(tables) != sheets:
        print(f"  CHECK {w}: {len(tables)} tables written, expected {sheets}")
        return
    # W4's Sheet3 is sheet 2 of the generator; the others have one sheet.
    table, sheet = (os.path.join(out, "Sheet3.dbf"), 2) if w == "W4" else (os.path.join(out, tables[0]), 0)
    result = subprocess.run(["/usr/bin/python3", os.path.join(generator_dir, "dbf_summary.py"), table,
                             "--rows", str(records // sheets), "--compare", str(sheet)],
                            capture_output=True, text=True)
    print(f"  CHECK {w}: {'ok' if result.returncode == 0 else 'FAILED'} ({os.path.basename(table)})")
    if result.returncode != 0:
        print(result.stdout[-2000:])


def report(ids, samples, have_ogr):
    def med(w, tool, i):
        values = [s[i] for s in samples.get((w, tool), [])]
        return statistics.median(values) if values else None

    print()
    print(f"{'workload':8} {'tool':8} {'wall s':>8} {'cpu s':>8} {'peak MB':>8} {'records/s':>11}")
    for w in ids:
        records = WORKLOADS[w][1]
        for tool in ("ours", "floor", "ogr2ogr"):
            wall = med(w, tool, 0)
            if wall is None:
                continue
            rate = f"{records / wall:11.0f}" if tool != "floor" else f"{'-':>11}"
            print(f"{w:8} {tool:8} {wall:8.2f} {med(w, tool, 1):8.2f} {med(w, tool, 2):8.0f} {rate}")

    print()
    targets = []

    def target(name, ok, detail):
        targets.append(ok)
        print(f"  [{'met' if ok else 'MISSED'}] {name}: {detail}")

    for w in ("W1", "W1s"):
        ours, fl, og = med(w, "ours", 0), med(w, "floor", 0), med(w, "ogr2ogr", 0)
        if ours and fl:
            target(f"{w} at most 2.0 x the floor", ours <= 2.0 * fl, f"{ours / fl:.2f} x")
        if ours and og:
            target(f"{w} at most 1/3 of ogr2ogr", ours <= og / 3, f"{ours / og:.2f} x ogr2ogr")
    if med("W1", "ours", 2):
        target("W1 peak memory at most 600 MB", med("W1", "ours", 2) <= 600, f"{med('W1', 'ours', 2):.0f} MB")
    if med("W1", "ours", 0) and med("W1s", "ours", 0):
        ratio = med("W1", "ours", 0) / med("W1s", "ours", 0)
        target("W1 at most 11 x W1s (linear)", ratio <= 11, f"{ratio:.2f} x")
    if med("W2", "ours", 0) and med("W1s", "ours", 0):
        w2 = WORKLOADS["W2"][1] / med("W2", "ours", 0)
        w1s = WORKLOADS["W1s"][1] / med("W1s", "ours", 0)
        target("W2 records/s at least W1s's", w2 >= w1s, f"{w2:.0f} vs {w1s:.0f}")
        if med("W2", "ogr2ogr", 0):
            og = med("W2", "ogr2ogr", 0)
            print(f"  (W2: {med('W2', 'ours', 0) / og:.2f} x ogr2ogr)")
    if med("W4", "ours", 0) and med("W1s", "ours", 0):
        w4 = med("W4", "ours", 0) / WORKLOADS["W4"][1]
        w1s = med("W1s", "ours", 0) / WORKLOADS["W1s"][1]
        target("W4 per-row cost within 20% of W1s's", w4 <= 1.2 * w1s, f"{w4 / w1s:.2f} x")
    print()
    print("all targets met" if targets and all(targets) else "some targets missed")


if __name__ == "__main__":
    main()
