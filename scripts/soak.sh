#!/usr/bin/env bash
# Runs the Windows tests several times in a row while both cores are kept busy, and prints each test
# that failed, in how many runs, with its output: a test that fails only under load shows here, not in CI.
#   scripts/soak.sh [runs] [tests|cpu]        (default: 3 runs, load "tests")
# Load "tests": a second copy of the Windows tests, in a Wine prefix and on a virtual display of its own,
# over and over until the soak ends (what a second job on the machine does). Load "cpu": one busy loop per
# core. The table is also written to build/soak/table.md, each failure's output to build/soak/ (with a
# screenshot of the screen at each failed end-to-end test in build/soak/screenshots/failed_*.png).
# QUARVEL_SOAK_TESTS narrows the measured runs to the tests a regular expression names (all by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs="${1:-3}"
load="${2:-tests}"
case "$load" in tests|cpu) ;; *) echo "soak.sh: unknown load \"$load\" (tests or cpu)" >&2; exit 2 ;; esac

source "$root/scripts/wine-env.sh"
hold_test_lock
"$root/scripts/install-deps.sh" start test
"$root/scripts/install-deps.sh" i386 || echo "Going on without Wine's 32-bit loader."
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
soak="$root/build/soak"
rm -rf "$soak"
mkdir -p "$soak"
export QUARVEL_SCREENSHOTS="$soak/screenshots"

load_prefix="$root/build/wineprefix-soak-load-$windows_arch"
load_pids=()
stop_load() {
  local pid
  for pid in "${load_pids[@]}"; do kill -- "-$pid" 2>/dev/null || true; done
  for pid in "${load_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  load_pids=()
  [ "$load" != tests ] || WINEPREFIX="$load_prefix" wineserver -k 2>/dev/null || true
}
trap 'stop_load; stop_virtual_display' EXIT

# The load runs in a process group of its own, so that stopping it also stops its Wine and its display.
set -m
if [ "$load" = tests ]; then
  (
    export WINEPREFIX="$load_prefix" QUARVEL_SCREENSHOTS="$soak/load-screenshots"
    start_virtual_display
    trap stop_virtual_display EXIT
    prepare_wine_prefix
    # The archive test rebuilds the release in build/package, which the measured runs use too.
    while :; do ctest --test-dir "$run_build" --timeout 300 -E '^package\.' >>"$soak/load.log" 2>&1 || true; done
  ) &
  load_pids+=($!)
else
  for _ in $(seq "$(nproc)"); do
    (while :; do :; done) &
    load_pids+=($!)
  done
fi
set +m
echo "== Load: $load ($(nproc) cores)"

for run in $(seq "$runs"); do
  echo "== Run $run of $runs: $(date -u +%H:%M:%S), load average $(cut -d' ' -f1 /proc/loadavg)"
  start_virtual_display
  prepare_wine_prefix
  ctest --test-dir "$run_build" --timeout 300 ${QUARVEL_SOAK_TESTS:+-R "$QUARVEL_SOAK_TESTS"} \
        --output-junit "$soak/run-$run.xml" >"$soak/run-$run.log" 2>&1 || true
  tail -n3 "$soak/run-$run.log"
  stop_virtual_display
done
stop_load

python3 - "$soak" "$runs" <<'EOF'
import pathlib, sys, xml.etree.ElementTree as ET
soak, runs = pathlib.Path(sys.argv[1]), int(sys.argv[2])
failed = {}
for run in range(1, runs + 1):
    report = soak / f"run-{run}.xml"
    if not report.exists():
        failed.setdefault("(the run wrote no report)", []).append((run, ""))
        continue
    for case in ET.parse(report).getroot().iter("testcase"):
        if case.get("status") in ("fail", "failed") or case.find("failure") is not None:
            out = case.findtext("system-out") or ""
            failed.setdefault(case.get("name"), []).append((run, out))
lines = [f"| Test | Failed in runs (of {runs}) |", "| --- | --- |"]
for name, fails in sorted(failed.items()):
    lines.append(f"| {name} | {len(fails)}: {', '.join(str(run) for run, _ in fails)} |")
if not failed:
    lines.append("| (none) | 0 |")
table = "\n".join(lines)
(soak / "table.md").write_text(table + "\n")
print(table)
for name, fails in sorted(failed.items()):
    for run, out in fails:
        path = soak / f"{name}.run-{run}.txt"
        path.write_text(out)
        print(f"\n---- {name}, run {run} (whole output: {path})")
        print("\n".join(out.splitlines()[-40:]))
sys.exit(1 if failed else 0)
EOF
