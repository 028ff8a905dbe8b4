#!/usr/bin/env bash
# Checks, pictures and many models against the transfer: generates a large building,
# transfers it, then times in turn, RUNS times over, the transfer, the transfer with
# --check, the structural checks, the checks with the totals, and both pictures; then a
# batch of MODELS documents run one at a time and JOBS at a time, alternately. Prints the
# median, minimum and maximum of each (wall and processor seconds) and of the ratios
# taken run by run, which are what the goals are about:
#
#   - each check and each picture takes less than the transfer (ratio below 1);
#   - the batch with -j JOBS takes at most 0.6 of its sequential time.
#
#   bench/see-bench.sh [--elements N] [--batch-elements N] [--models M] [--jobs J]
#                      [--runs R] [--out DIR] [--build-dir DIR] [--no-build]
#
#   --elements        size of the large building (default 1000000)
#   --batch-elements  size of each batch model (default 100000)
#   --models          documents in the batch (default 8)
#   --jobs            -j of the parallel batch (default 2)
#   --runs            rounds of measurements (default 5)
#   --out             scratch folder (default bench/out-see)
#   --build-dir       the build tree (default build-release, configured in Release if new)
#   --no-build        use the binaries in <build-dir>/bin as they are
#
# Measurements are taken interleaved (each round runs every command once, in an order
# that rotates), so that a change in the machine's load falls on all of them alike. On a
# shared machine read the processor times and the ratios, not the wall times alone.
set -euo pipefail
cd "$(dirname "$0")/.."

elements=1000000
batch_elements=100000
models=8
jobs=2
runs=5
out=bench/out-see
build=build-release
no_build=0
while [ $# -gt 0 ]; do
  case "$1" in
    --elements) elements="$2"; shift 2 ;;
    --batch-elements) batch_elements="$2"; shift 2 ;;
    --models) models="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    --build-dir) build="$2"; shift 2 ;;
    --no-build) no_build=1; shift ;;
    -h|--help) sed -n '2,27p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "see-bench.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
done
for v in "$elements" "$batch_elements" "$models" "$jobs" "$runs"; do
  case "$v" in ''|*[!0-9]*|0) echo "see-bench.sh: sizes, counts and runs are positive numbers, not '$v'" >&2; exit 2 ;; esac
done

[ "$no_build" = 1 ] || scripts/setup.sh
if [ ! -x /usr/bin/time ]; then
  echo "installing: time"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq time >/dev/null
fi
if [ "$no_build" = 0 ]; then
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DT2V_BUILD_TESTS=OFF >/dev/null
  fi
  cmake --build "$build" -j 2 --target tarvo2vantra vantra-check vantra-view tarvo-genmodel >/dev/null
fi
bin="$build/bin"
for tool in tarvo2vantra vantra-check vantra-view tarvo-genmodel; do
  [ -x "$bin/$tool" ] || { echo "see-bench.sh: $bin/$tool was not built" >&2; exit 1; }
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
times="$out/times.tsv"  # round, what, wall s, cpu s, exit status
: >"$times"
echo "machine: $(nproc) cores; load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"

doc="$out/large.json"
echo "generating $doc: $("$bin/tarvo-genmodel" --elements "$elements" --quiet -o "$doc"; echo "about $elements elements")"
mkdir -p "$out/batch"
"$bin/tarvo-genmodel" --elements "$batch_elements" --quiet -o "$out/batch/model.json"
batch_docs=()
for m in $(seq 1 "$models"); do
  # Copies beside the original share its ground-motion file, which they name relatively.
  cp "$out/batch/model.json" "$out/batch/m$m.json"
  batch_docs+=("$out/batch/m$m.json")
done
rm "$out/batch/model.json"
echo "batch: $models documents of about $batch_elements elements in $out/batch"

home="$out/home"
structures="$out/structures"
mkdir -p "$home" "$structures"
dir="$structures/Large"

# One timed command: appends round, what, wall, cpu and exit status to the times.
timed() {
  local round="$1" what="$2"
  shift 2
  local status=0
  /usr/bin/time -f "%e %U %S" -o "$out/time.txt" "$@" >"$out/last.log" 2>&1 || status=$?
  # GNU time puts "Command exited with non-zero status N" before the figures then.
  tail -1 "$out/time.txt" | awk -v r="$round" -v w="$what" -v s="$status" \
    '{ printf "%s\t%s\t%.3f\t%.3f\t%s\n", r, w, $1, $2 + $3, s }' >>"$times"
  if [ "$status" -ne 0 ]; then echo "   $what: exit status $status (see $out/last.log)" >&2; fi
}

transfer=("$bin/tarvo2vantra" "$doc" --dir "$structures" --name Large --home "$home" --quiet)
# The structure the checks and pictures read exists before the first round.
"${transfer[@]}" >/dev/null
commands=(transfer transfer-check checks checks-totals svg glb batch-j1 "batch-j$jobs")
run_one() {
  local round="$1" what="$2"
  case "$what" in
    transfer) timed "$round" "$what" "${transfer[@]}" ;;
    transfer-check) timed "$round" "$what" "${transfer[@]}" --check ;;
    checks) timed "$round" "$what" "$bin/vantra-check" "$dir" ;;
    checks-totals) timed "$round" "$what" "$bin/vantra-check" "$dir" --model "$doc" ;;
    svg) timed "$round" "$what" "$bin/vantra-view" "$dir" -o "$out/large.svg" ;;
    glb) timed "$round" "$what" "$bin/vantra-view" "$dir" -o "$out/large.glb" ;;
    batch-j1) rm -rf "$out/batch-out"; timed "$round" "$what" "$bin/tarvo2vantra" "${batch_docs[@]}" \
                --dir "$out/batch-out" --home "$home" -j 1 ;;
    batch-j*) rm -rf "$out/batch-out"; timed "$round" "$what" "$bin/tarvo2vantra" "${batch_docs[@]}" \
                --dir "$out/batch-out" --home "$home" -j "$jobs" ;;
  esac
}
for round in $(seq 1 "$runs"); do
  echo "round $round of $runs (load average $(cut -d' ' -f1 /proc/loadavg))"
  # Each round starts one command further on.
  n=${#commands[@]}
  for k in $(seq 0 $((n - 1))); do
    run_one "$round" "${commands[$(((k + round - 1) % n))]}"
  done
done

# Medians and spread of each command, and of the ratios taken round by round.
echo
awk -F'\t' -v jobs="$jobs" '
  function sort(a, n,   i, j, t) { for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t } }
  function stats(label, a, n,   m) {
    sort(a, n)
    m = n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    printf "  %-34s %9.3f %9.3f %9.3f   (%d)\n", label, m, a[1], a[n], n
  }
  { wall[$2, $1] = $3; cpu[$2, $1] = $4; if (!($2 in seen)) { seen[$2] = 1; order[++kinds] = $2 } rounds[$1] = 1
    if ($5 != 0) failed[$2]++ }
  END {
    for (r in rounds) nr++
    printf "%-36s %9s %9s %9s   %s\n", "seconds", "median", "min", "max", "(runs)"
    for (k = 1; k <= kinds; k++) for (f = 0; f < 2; f++) {
      n = 0; delete v
      for (r = 1; r <= nr; r++) if ((order[k], r) in wall) v[++n] = f ? cpu[order[k], r] : wall[order[k], r]
      if (n) stats(order[k] (f ? " cpu" : " wall"), v, n)
    }
    printf "\n%-36s %9s %9s %9s   %s\n", "ratio, round by round", "median", "min", "max", "(runs)"
    split("transfer-check checks checks-totals svg glb", against, " ")
    for (k = 1; k <= 5; k++) for (f = 0; f < 2; f++) {
      n = 0; delete v
      for (r = 1; r <= nr; r++) {
        a = f ? cpu[against[k], r] : wall[against[k], r]; b = f ? cpu["transfer", r] : wall["transfer", r]
        if (b > 0 && a != "") v[++n] = a / b
      }
      if (n) stats(against[k] " / transfer" (f ? " cpu" : " wall"), v, n)
    }
    n = 0; delete v
    for (r = 1; r <= nr; r++) if (wall["batch-j1", r] > 0) v[++n] = wall["batch-j" jobs, r] / wall["batch-j1", r]
    if (n) stats("batch -j " jobs " / -j 1 wall (goal 0.6)", v, n)
    for (k in failed) printf "\n%s failed in %d rounds\n", k, failed[k]
  }' "$times"
echo
echo "Every measurement: $times (round, command, wall s, cpu s, exit status)."
