#!/usr/bin/env bash
# Transfer benchmark: generates buildings of several sizes, transfers each one, and prints
# a table of sizes, phase times, peak memory, linearity and the distance to a floor (see
# docs/benchmarks.md for what each column means).
#
#   bench/run-bench.sh [--sizes "10000 100000 1000000"] [--out DIR] [--build-dir DIR]
#                      [--repeat R] [--seed S] [--no-build]
#
#   --sizes      approximate element counts (frames + areas); a quick run: --sizes "1000 10000"
#   --out        scratch folder for documents, structures and results (default bench/out)
#   --build-dir  the build tree to use; built in Release when it is not configured yet
#                (default build-release, so that the everyday build/ keeps its own settings)
#   --repeat     floor/transfer pairs per size, run in turn after one uncounted transfer;
#                the median and the spread (min-max) are reported (default 3)
#   --seed       seed of the generated buildings (default 1)
#   --no-build   use the binaries in <build-dir>/bin as they are
#
# Paths are taken relative to the repository root. The Markdown table is also written to
# <out>/benchmarks.md.
set -euo pipefail
cd "$(dirname "$0")/.."

sizes="10000 100000 1000000"
out=bench/out
build=build-release
repeat=3
seed=1
no_build=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sizes) sizes="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    --build-dir) build="$2"; shift 2 ;;
    --repeat) repeat="$2"; shift 2 ;;
    --seed) seed="$2"; shift 2 ;;
    --no-build) no_build=1; shift ;;
    -h|--help) sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "run-bench.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
done
case "$repeat" in ''|*[!0-9]*|0) echo "run-bench.sh: --repeat takes a positive number" >&2; exit 2 ;; esac
for n in $sizes; do
  case "$n" in ''|*[!0-9]*) echo "run-bench.sh: --sizes takes numbers, not '$n'" >&2; exit 2 ;; esac
done
sizes=$(printf '%s\n' $sizes | sort -n | uniq | tr '\n' ' ')

# Tools: the build's packages, and GNU time for the peak memory.
[ "$no_build" = 1 ] || scripts/setup.sh
if [ ! -x /usr/bin/time ]; then
  echo "installing: time"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq time >/dev/null
fi

# Build (configure once in Release; later runs only rebuild what changed).
if [ "$no_build" = 0 ]; then
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DT2V_BUILD_TESTS=OFF >/dev/null
  fi
  cmake --build "$build" -j 2 --target tarvo2vantra tarvo-genmodel json_floor >/dev/null
fi
bin="$build/bin"
for tool in tarvo2vantra tarvo-genmodel json_floor; do
  [ -x "$bin/$tool" ] || { echo "run-bench.sh: $bin/$tool was not built" >&2; exit 1; }
done

mkdir -p "$out"
results="$out/results.tsv"
: >"$results"
cores=$(nproc)
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
load=$(cut -d' ' -f1-3 /proc/loadavg)
echo "machine: $cores cores, ${cpu:-unknown CPU}; load average before the run: $load"

# Reads "key": number from a one-line JSON object.
json_num() { sed -n "s/.*\"$1\": *\([0-9.eE+-]*\).*/\1/p" "$2" | head -1; }
# Reads a field of /usr/bin/time -v.
time_field() { sed -n "s/^[[:space:]]*$1: *//p" "$2"; }
# Elapsed "h:mm:ss" or "m:ss.ss" of /usr/bin/time -v in seconds.
elapsed_seconds() { awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }'; }

# Median and spread of one column of a file of numbers: "median min max".
stats() { sort -g "$1" | awk '{ v[NR] = $1 } END { if (NR == 0) { print "0 0 0"; exit }
  m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.6f %.6f %.6f\n", m, v[1], v[NR] }'; }

# One transfer of $doc into a fresh home under /usr/bin/time; sets t_* (phases), user, sys,
# peak_kb, wall, out_bytes and largest. Returns non-zero when the transfer failed.
transfer() {
  local n="$1" home="$out/home-$1"
  rm -rf "$home"
  mkdir -p "$home"
  if ! /usr/bin/time -v -o "$out/time-$n.txt" "$bin/tarvo2vantra" "$doc" --home "$home" --name Bench --quiet \
       --timings >"$out/timings-$n.json" 2>"$out/stderr-$n.txt"; then
    echo "   transfer failed:" >&2
    tail -5 "$out/stderr-$n.txt" | sed 's/^/   /' >&2
    return 1
  fi
  local structure
  structure=$(find "$home" -type f -name 'VNTRS' -printf '%h\n' | head -1)
  out_bytes=0
  largest=0
  if [ -n "$structure" ]; then
    out_bytes=$(find "$structure" -maxdepth 1 -type f -name 'VNTR*' -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
    largest=$(find "$structure" -maxdepth 1 -type f -name 'VNTR*' -printf '%s\n' | sort -n | tail -1)
  else
    echo "   no structure file was found below $home" >&2
    return 1
  fi
  t_load=$(json_num load "$out/timings-$n.json"); t_read=$(json_num read "$out/timings-$n.json")
  t_fill=$(json_num fill "$out/timings-$n.json"); t_write=$(json_num write "$out/timings-$n.json")
  user=$(time_field "User time (seconds)" "$out/time-$n.txt")
  sys=$(time_field "System time (seconds)" "$out/time-$n.txt")
  peak_kb=$(time_field "Maximum resident set size (kbytes)" "$out/time-$n.txt")
  faults=$(time_field "Minor (reclaiming a frame) page faults" "$out/time-$n.txt")
  wall=$(time_field "Elapsed (wall clock) time (h:mm:ss or m:ss)" "$out/time-$n.txt" | elapsed_seconds)
}

# The floor for the same document and the same number of output bytes; sets f_total and f_cpu.
floor() {
  local n="$1"
  /usr/bin/time -v -o "$out/floor-time-$n.txt" "$bin/json_floor" "$doc" --write-bytes "$out_bytes" \
    --write-to "$out/floor-$n.bin" >"$out/floor-$n.json"
  f_total=$(awk -v a="$(json_num read "$out/floor-$n.json")" -v b="$(json_num parse "$out/floor-$n.json")" \
    -v c="$(json_num walk "$out/floor-$n.json")" -v d="$(json_num write "$out/floor-$n.json")" \
    'BEGIN { printf "%.6f", a + b + c + d }')
  f_cpu=$(awk -v u="$(time_field "User time (seconds)" "$out/floor-time-$n.txt")" \
    -v s="$(time_field "System time (seconds)" "$out/floor-time-$n.txt")" 'BEGIN { printf "%.2f", u + s }')
}

status=0
for n in $sizes; do
  doc="$out/building-$n.json"
  echo "== about $n elements: generating $doc"
  summary=$("$bin/tarvo-genmodel" --elements "$n" --seed "$seed" -o "$doc")
  echo "   $summary"
  elements=$(printf '%s\n' "$summary" | sed -n 's/.* \([0-9][0-9]*\) elements;.*/\1/p')
  doc_bytes=$(stat -c %s "$doc")

  # A first transfer, not counted, learns the output size the floor writes and brings the
  # document into the page cache for both; then floor and transfer take turns, so that
  # whatever else runs on the machine slows both alike and the ratio of each pair is fair.
  if ! transfer "$n"; then status=1; continue; fi
  runs="$out/runs-$n.tsv"
  : >"$runs"
  failed=0
  for r in $(seq 1 "$repeat"); do
    floor "$n"
    if ! transfer "$n"; then failed=1; break; fi
    total=$(awk -v l="${t_load:-0}" -v rd="${t_read:-0}" -v f="${t_fill:-0}" -v w="${t_write:-0}" \
      'BEGIN { printf "%.6f", l + rd + f + w }')
    # runs-N.tsv: 1 total, 2 load, 3 read, 4 fill, 5 write, 6 cpu, 7 peak kB, 8 process wall,
    # 9 floor, 10 floor cpu, 11 total / floor, 12 cpu / floor cpu, 13 minor page faults
    awk -v t="$total" -v l="${t_load:-0}" -v rd="${t_read:-0}" -v f="${t_fill:-0}" -v w="${t_write:-0}" \
      -v u="$user" -v sy="$sys" -v pk="$peak_kb" -v wall="$wall" -v ft="$f_total" -v fc="$f_cpu" -v pf="${faults:-0}" \
      'BEGIN { printf "%.6f\t%.6f\t%.6f\t%.6f\t%.6f\t%.2f\t%d\t%.2f\t%.6f\t%.2f\t%.6f\t%.6f\t%d\n",
               t, l, rd, f, w, u + sy, pk, wall, ft, fc, t / ft, (u + sy) / (fc > 0 ? fc : 0.01), pf }' >>"$runs"
    echo "   pair $r: floor $(printf '%.3f' "$f_total") s (cpu $f_cpu s), transfer $(printf '%.3f' "$total") s" \
         "(load $t_load, read $t_read, fill $t_fill, write $t_write; cpu $(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }') s," \
         "sys $sys s, $faults page faults), peak $((peak_kb / 1024)) MB"
  done
  if [ "$failed" = 1 ]; then status=1; continue; fi
  # One line per size: the median of each column, the spread of the ones that vary most.
  med() { cut -f"$1" "$runs" | stats /dev/stdin; }
  line="$elements	$doc_bytes	$out_bytes	$largest"
  for c in 2 3 4 5; do line="$line	$(med "$c" | cut -d' ' -f1)"; done
  for c in 1 6 9 10 11 12; do line="$line	$(med "$c" | tr ' ' '\t')"; done
  line="$line	$(cut -f7 "$runs" | sort -n | tail -1)	$(med 8 | cut -d' ' -f1)	$(med 13 | cut -d' ' -f1)	$repeat"
  printf '%s\n' "$line" >>"$results"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
echo "load average after the run: $load_after"

[ -s "$results" ] || { echo "run-bench.sh: no size was transferred" >&2; exit 1; }

# The table, plain and as Markdown. Linearity is the time per element relative to the
# smallest size; "x floor" is the median of the per-pair ratios of total time to floor time.
table() {
  awk -v md="$1" -F'\t' '
    function mb(b) { return b < 1e6 ? sprintf("%.1f kB", b / 1e3) : sprintf("%.1f MB", b / 1e6) }
    function s(t) { return sprintf("%.3f", t) }
    function spread(m, lo, hi, f) { return sprintf(f " (" f "-" f ")", m, lo, hi) }
    # results.tsv: 1 elements, 2 document bytes, 3 output bytes, 4 largest output file,
    # 5-8 load/read/fill/write (medians), then median/min/max of: 9-11 total, 12-14 cpu,
    # 15-17 floor, 18-20 floor cpu, 21-23 total / floor, 24-26 cpu / floor cpu;
    # 27 peak kB (largest), 28 process wall, 29 minor page faults, 30 pairs
    NR == 1 { base = $9 / $1; cbase = $12 / $1 }
    {
      row[NR, 1] = $1; row[NR, 2] = mb($2); row[NR, 3] = mb($3)
      row[NR, 4] = s($5); row[NR, 5] = s($6); row[NR, 6] = s($7); row[NR, 7] = s($8)
      row[NR, 8] = spread($9, $10, $11, "%.3f")
      row[NR, 9] = spread($12, $13, $14, "%.2f")
      row[NR, 10] = sprintf("%.0f MB", $27 / 1024)
      row[NR, 11] = sprintf("%.2f", ($27 * 1024) / ($2 + $4))
      row[NR, 12] = sprintf("%.0f", $29)
      row[NR, 13] = sprintf("%.2f", $9 / $1 * 1e6)
      row[NR, 14] = sprintf("%.2f", ($9 / $1) / base)
      row[NR, 15] = sprintf("%.2f", ($12 / $1) / (cbase > 0 ? cbase : 1e-9))
      row[NR, 16] = spread($15, $16, $17, "%.3f")
      row[NR, 17] = spread($18, $19, $20, "%.2f")
      row[NR, 18] = spread($21, $22, $23, "%.2f")
      row[NR, 19] = spread($24, $25, $26, "%.2f")
      row[NR, 20] = $30
      n = NR
    }
    END {
      cols = 20
      if (md) split("elements|document|output|load s|read s|fill s|write s|total s|cpu s|peak memory|memory / (doc + largest file)|page faults|us per element|linearity|linearity (cpu)|floor s|floor cpu s|x floor|x floor (cpu)|pairs", head, "|")
      else split("elements|doc|output|load|read|fill|write|total|cpu|peak|mem/(doc+max)|faults|us/elem|linear|linear(cpu)|floor|floor-cpu|xfloor|xfloor(cpu)|pairs", head, "|")
      if (md) {
        line = "|"; rule = "|"
        for (c = 1; c <= cols; c++) { line = line " " head[c] " |"; rule = rule (c == 1 ? "---|" : "---:|") }
        print line; print rule
        for (r = 1; r <= n; r++) { line = "|"; for (c = 1; c <= cols; c++) line = line " " row[r, c] " |"; print line }
      } else {
        for (c = 1; c <= cols; c++) { w[c] = length(head[c]); for (r = 1; r <= n; r++) if (length(row[r, c]) > w[c]) w[c] = length(row[r, c]) }
        line = ""; for (c = 1; c <= cols; c++) line = line sprintf("%" w[c] "s  ", head[c]); print line
        for (r = 1; r <= n; r++) { line = ""; for (c = 1; c <= cols; c++) line = line sprintf("%" w[c] "s  ", row[r, c]); print line }
      }
    }' "$results"
}

echo
table 0
{
  commit=$(git rev-parse --short HEAD 2>/dev/null || echo unknown)
  echo "Machine: $cores cores, ${cpu:-unknown CPU}; load average before the run: $load, after: $load_after; commit $commit; seed $seed; median (min-max) of $repeat interleaved floor/transfer pairs."
  echo
  table 1
} >"$out/benchmarks.md"
echo
echo "Markdown (also in $out/benchmarks.md):"
echo
cat "$out/benchmarks.md"
exit $status
