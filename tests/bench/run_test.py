#!/usr/bin/env python3
"""bench/run's table against a stand-in benchmark program: budgets on time,
on a counter and on PostgreSQL as a multiple of SQLite, and its exit status.

    run_test.py PATH_TO_BENCH_RUN
"""
import json
import re
import subprocess
import sys
import tempfile
from pathlib import Path

RESULTS = [
    {"name": "BM_A/Sqlite", "real_time": 100.0, "time_unit": "ms", "peak MB": 40.0},
    {"name": "BM_A/Postgres", "real_time": 150.0, "time_unit": "ms"},
    {"name": "BM_B/Sqlite", "real_time": 0.1, "time_unit": "s"},
    {"name": "BM_B/Postgres", "real_time": 300000.0, "time_unit": "us"},
    {"name": "BM_C/Postgres", "real_time": 10.0, "time_unit": "ms"},
]
BUDGETS = """pattern\tmeasure\tlimit\tnote
^BM_A/Sqlite\treal_time\t120\ttime
^BM_A/Sqlite\tpeak MB\t30\tmemory
/Postgres\ttimes_sqlite\t2\tratio
"""


def table(output):
    """The table's rows as {(benchmark, measure): (figure, budget, verdict)}."""
    rows = {}
    for line in output.splitlines()[1:]:
        cells = re.split(r"\s{2,}", line.strip())
        if len(cells) == 5:
            rows[(cells[0], cells[1])] = tuple(cells[2:])
    return rows


def main():
    script = Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as folder:
        build = Path(folder)
        (build / "bench").mkdir()
        program = build / "bench" / "stand_in_bench"
        program.write_text("#!/usr/bin/env python3\nimport json\nprint(json.dumps({\"benchmarks\": "
                           + json.dumps(RESULTS) + "}))\n")
        program.chmod(0o755)
        budgets = build / "budgets.tsv"
        budgets.write_text(BUDGETS)
        done = subprocess.run([sys.executable, str(script), str(build), "--budgets", str(budgets)],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        # Within every budget but for a ratio with nothing to compare with.
        budgets.write_text("pattern\tmeasure\tlimit\n^BM_[AC]/Postgres\ttimes_sqlite\t2\n")
        ratios_only = subprocess.run([sys.executable, str(script), str(build), "--budgets", str(budgets)],
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    rows = table(done.stdout)
    wanted = {
        ("BM_A/Sqlite", "real_time ms"): ("100.0", "120", "within"),
        ("BM_A/Sqlite", "peak MB"): ("40.0", "30", "OVER"),
        ("BM_A/Postgres", "× SQLite"): ("1.5", "2", "within"),
        ("BM_B/Postgres", "× SQLite"): ("3", "2", "OVER"),  # 300,000 us over 0.1 s
    }
    failures = [f"{key}: got {rows.get(key)}, wanted {value}" for key, value in wanted.items() if rows.get(key) != value]
    # No SQLite run to divide by: shown as skipped, not failed.
    skipped = [line for line in done.stdout.splitlines() if line.startswith("BM_C/Postgres")]
    if len(skipped) != 1 or "skipped" not in skipped[0]:
        failures.append(f"BM_C/Postgres: {skipped}")
    if done.returncode != 1:
        failures.append(f"exit status {done.returncode}, wanted 1")
    if ratios_only.returncode != 0:
        failures.append(f"with only the ratios budgeted, exit status {ratios_only.returncode}, wanted 0")
    if failures:
        print(done.stdout, done.stderr, *failures, sep="\n")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
