#!/usr/bin/env bash
# The cost of the automation boundary: a generated building transferred by the Windows
# component under Wine (through IDispatch, from a recording of the host's answers)
# against the same transfer natively on Linux, interleaved, several times.
#
#   bench/windows-bench.sh [ELEMENTS] [RUNS]     (default 100000 elements, 5 runs)
#
# Prints, per run, the native read+fill+write seconds and the component's seconds from
# pressing Transfer to "Transfer Complete", split into the host's answers and the rest;
# then medians and the ratio component/native. Needs what scripts/test-windows.sh builds.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
elements=${1:-100000}
runs=${2:-5}
[ -x build/bin/tarvo2vantra ] && [ -f build-windows/bin/plugin-client.exe ] || {
  echo "build first: scripts/test-windows.sh" >&2; exit 2; }
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME=$work/home
mkdir -p "$HOME"
wineboot -i >/dev/null 2>&1; wineserver -w
wine regsvr32 /s /i:machine build-windows/bin/tarvo2vantra.dll
build/bin/tarvo-genmodel --elements "$elements" -o "$work/model.json"
build/bin/tarvo2vantra "$work/model.json" --home "$work/ref" --name Bench --quiet --transcript "$work/bench.calls"
calls=$(winepath -w "$work/bench.calls")
echo "elements: $elements; transcript: $(du -h "$work/bench.calls" | cut -f1); load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-4s %10s %10s %10s %10s %8s\n' run native wine host component calls
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  for i in $(seq 1 "$3"); do
    native=$("$1"/build/bin/tarvo2vantra "$4" --home "$5/nat" --name Bench --quiet --timings | head -1 |
      python3 -c "import json,sys; t=json.load(sys.stdin); print(\"%.4f\" % (t[\"read\"]+t[\"fill\"]+t[\"write\"]))")
    wine "$1"/build-windows/bin/plugin-client.exe bench "$2" Bench > "$5/w.json"
    python3 - "$i" "$native" "$5/w.json" <<PY
import json, sys
w = json.loads([l for l in open(sys.argv[3]) if l.startswith("{")][-1])
print("%-4s %10s %10.4f %10.4f %10.4f %8d" % (sys.argv[1], sys.argv[2], w["total"], w["host"], w["component"], w["calls"]))
PY
  done' _ "$root" "$calls" "$runs" "$work/model.json" "$work" | tee "$work/table.txt" || true
python3 - "$work/table.txt" <<'PY'
import statistics, sys
rows = [l.split() for l in open(sys.argv[1]) if l.split() and l.split()[0].isdigit()]
nat = [float(r[1]) for r in rows]; tot = [float(r[2]) for r in rows]; host = [float(r[3]) for r in rows]
comp = [float(r[4]) for r in rows]; calls = int(rows[0][5])
ratio = [c / n for c, n in zip(comp, nat)]
ratio_all = [t / n for t, n in zip(tot, nat)]
m = statistics.median
print("median native %.3f s; under Wine %.3f s of which host answers %.3f s, component %.3f s" % (m(nat), m(tot), m(host), m(comp)))
print("component/native: median %.2f (min %.2f, max %.2f); with the host's answers %.2f" % (m(ratio), min(ratio), max(ratio), m(ratio_all)))
print("per call across the boundary: %.1f us (%d calls)" % ((m(tot) - m(nat)) / calls * 1e6, calls))
PY
