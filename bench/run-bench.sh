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
#   --repeat     transfers per size; the fastest run is reported (default 1)
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
repeat=1
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
    -h|--help) sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
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
json_num() { sed -n "s/.*\"$1\": *\([0-9.eE+-]*\).*/\1/p" "$2"; }
# Reads a field of /usr/bin/time -v.
time_field() { sed -n "s/^[[:space:]]*$1: *//p" "$2"; }
# Elapsed "h:mm:ss" or "m:ss.ss" of /usr/bin/time -v in seconds.
elapsed_seconds() { awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }'; }

status=0
for n in $sizes; do
  doc="$out/building-$n.json"
  echo "== about $n elements: generating $doc"
  summary=$("$bin/tarvo-genmodel" --elements "$n" --seed "$seed" -o "$doc")
  echo "   $summary"
  elements=$(printf '%s\n' "$summary" | sed -n 's/.* \([0-9][0-9]*\) elements;.*/\1/p')
  doc_bytes=$(stat -c %s "$doc")

  best=""
  best_floor=""
  for r in $(seq 1 "$repeat"); do
    home="$out/home-$n"
    rm -rf "$home"
    mkdir -p "$home"
    if ! /usr/bin/time -v -o "$out/time-$n.txt" "$bin/tarvo2vantra" "$doc" --home "$home" --name Bench --quiet \
         --timings >"$out/timings-$n.json" 2>"$out/stderr-$n.txt"; then
      echo "   transfer failed:" >&2
      tail -5 "$out/stderr-$n.txt" | sed 's/^/   /' >&2
      status=1
      best=""
      break
    fi
    structure=$(find "$home" -type f -name 'VNTRS' -printf '%h\n' | head -1)
    out_bytes=0
    largest=0
    if [ -n "$structure" ]; then
      out_bytes=$(find "$structure" -maxdepth 1 -type f -name 'VNTR*' -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
      largest=$(find "$structure" -maxdepth 1 -type f -name 'VNTR*' -printf '%s\n' | sort -n | tail -1)
    else
      echo "   no structure file was found below $home" >&2
      status=1
    fi
    t_load=$(json_num load "$out/timings-$n.json"); t_read=$(json_num read "$out/timings-$n.json")
    t_fill=$(json_num fill "$out/timings-$n.json"); t_write=$(json_num write "$out/timings-$n.json")
    user=$(time_field "User time (seconds)" "$out/time-$n.txt")
    sys=$(time_field "System time (seconds)" "$out/time-$n.txt")
    peak_kb=$(time_field "Maximum resident set size (kbytes)" "$out/time-$n.txt")
    wall=$(time_field "Elapsed (wall clock) time (h:mm:ss or m:ss)" "$out/time-$n.txt" | elapsed_seconds)

    # The floor for the same document and the same number of output bytes.
    /usr/bin/time -v -o "$out/floor-time-$n.txt" "$bin/json_floor" "$doc" --write-bytes "${out_bytes:-0}" \
      --write-to "$out/floor-$n.bin" >"$out/floor-$n.json"
    f_total=$(awk -v a="$(json_num read "$out/floor-$n.json")" -v b="$(json_num parse "$out/floor-$n.json")" \
      -v c="$(json_num walk "$out/floor-$n.json")" -v d="$(json_num write "$out/floor-$n.json")" \
      'BEGIN { printf "%.6f", a + b + c + d }')
    f_user=$(time_field "User time (seconds)" "$out/floor-time-$n.txt")
    f_sys=$(time_field "System time (seconds)" "$out/floor-time-$n.txt")

    row=$(awk -v e="$elements" -v db="$doc_bytes" -v ob="${out_bytes:-0}" -v lb="${largest:-0}" \
      -v l="${t_load:-0}" -v rd="${t_read:-0}" -v f="${t_fill:-0}" -v w="${t_write:-0}" \
      -v u="$user" -v sy="$sys" -v pk="$peak_kb" -v wall="$wall" \
      'BEGIN { printf "%d\t%d\t%d\t%d\t%.6f\t%.6f\t%.6f\t%.6f\t%.6f\t%.2f\t%d\t%.2f\n",
               e, db, ob, lb, l, rd, f, w, l + rd + f + w, u + sy, pk, wall }')
    floor_row=$(awk -v ft="$f_total" -v u="$f_user" -v sy="$f_sys" 'BEGIN { printf "%.6f\t%.2f\n", ft, u + sy }')
    total=$(printf '%s\n' "$row" | cut -f9)
    # The fastest transfer and the fastest floor are kept, each on its own.
    if [ -z "$best" ] || awk -v a="$total" -v b="$(printf '%s\n' "$best" | cut -f9)" 'BEGIN { exit !(a < b) }'; then
      best="$row"
    fi
    if [ -z "$best_floor" ] || awk -v a="$f_total" -v b="$(printf '%s\n' "$best_floor" | cut -f1)" 'BEGIN { exit !(a < b) }'; then
      best_floor="$floor_row"
    fi
    echo "   run $r: total $(printf '%.3f' "$total") s (load $t_load, read $t_read, fill $t_fill, write $t_write)," \
         "peak $((peak_kb / 1024)) MB, floor $(printf '%.3f' "$f_total") s"
  done
  [ -n "$best" ] && printf '%s\t%s\n' "$best" "$best_floor" >>"$results"
done

[ -s "$results" ] || { echo "run-bench.sh: no size was transferred" >&2; exit 1; }

# The table, plain and as Markdown. Linearity is the time per element relative to the
# smallest size; "x floor" is the total time over the floor's.
table() {
  awk -v md="$1" -F'\t' '
    function mb(b) { return b < 1e6 ? sprintf("%.1f kB", b / 1e3) : sprintf("%.1f MB", b / 1e6) }
    function s(t) { return sprintf("%.3f", t) }
    # results.tsv: 1 elements, 2 document bytes, 3 output bytes, 4 largest output file,
    # 5-8 load/read/fill/write, 9 total, 10 cpu, 11 peak kB, 12 process wall, 13 floor, 14 floor cpu
    NR == 1 { base = $9 / $1 }
    {
      row[NR, 1] = $1; row[NR, 2] = mb($2); row[NR, 3] = mb($3)
      row[NR, 4] = s($5); row[NR, 5] = s($6); row[NR, 6] = s($7); row[NR, 7] = s($8); row[NR, 8] = s($9)
      row[NR, 9] = sprintf("%.2f", $12)
      row[NR, 10] = sprintf("%.2f", $10)
      row[NR, 11] = sprintf("%.0f MB", $11 / 1024)
      row[NR, 12] = sprintf("%.2f", ($11 * 1024) / ($2 + $4))
      row[NR, 13] = sprintf("%.2f", $9 / $1 * 1e6)
      row[NR, 14] = sprintf("%.2f", ($9 / $1) / base)
      row[NR, 15] = s($13)
      row[NR, 16] = sprintf("%.2f", $9 / $13)
      row[NR, 17] = sprintf("%.2f", $10 / ($14 > 0 ? $14 : 0.01))  # cpu times come in steps of 0.01 s
      n = NR
    }
    END {
      if (md) split("elements|document|output|load s|read s|fill s|write s|total s|process s|cpu s|peak memory|memory / (doc + largest file)|us per element|linearity|floor s|x floor|x floor (cpu)", head, "|")
      else split("elements|doc|output|load|read|fill|write|total|process|cpu|peak|mem/(doc+max)|us/elem|linear|floor|xfloor|xfloor(cpu)", head, "|")
      if (md) {
        line = "|"; rule = "|"
        for (c = 1; c <= 17; c++) { line = line " " head[c] " |"; rule = rule (c == 1 ? "---|" : "---:|") }
        print line; print rule
        for (r = 1; r <= n; r++) { line = "|"; for (c = 1; c <= 17; c++) line = line " " row[r, c] " |"; print line }
      } else {
        for (c = 1; c <= 17; c++) { w[c] = length(head[c]); for (r = 1; r <= n; r++) if (length(row[r, c]) > w[c]) w[c] = length(row[r, c]) }
        line = ""; for (c = 1; c <= 17; c++) line = line sprintf("%" w[c] "s  ", head[c]); print line
        for (r = 1; r <= n; r++) { line = ""; for (c = 1; c <= 17; c++) line = line sprintf("%" w[c] "s  ", row[r, c]); print line }
      }
    }' "$results"
}

echo
table 0
{
  commit=$(git rev-parse --short HEAD 2>/dev/null || echo unknown)
  echo "Machine: $cores cores, ${cpu:-unknown CPU}; load average before the run: $load; commit $commit; seed $seed; best of $repeat."
  echo
  table 1
} >"$out/benchmarks.md"
echo
echo "Markdown (also in $out/benchmarks.md):"
echo
cat "$out/benchmarks.md"
exit $status
