#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz) with clang, libFuzzer, ASan and UBSan in their own build
# folder, runs each for a set time on a working copy of its corpus, and prints what each did.
# An input that makes a target fail is copied into tests/fuzz/corpus/<target>/, so that the
# normal test suite (tst_fuzzcorpora) replays it from then on.
#
#   tools/fuzz.sh [build folder] [seconds per target] [targets...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-120}
shift $(( $# > 2 ? 2 : $# )) || true
jobs=$(nproc 2>/dev/null || echo 2)

# What the fuzz build needs beyond the project's own packages.
bash tools/setup.sh
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "fuzz: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_FUZZ=ON >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in tests/fuzz/fuzz_*.cpp; do
    t=$(basename "$src" .cpp)
    targets+=("${t#fuzz_}")
  done
fi
cmake --build "$build" -j"$jobs" --target $(printf 'fuzz_%s ' "${targets[@]}")

export QT_QPA_PLATFORM=offscreen LC_ALL=C
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

total_execs=0
total_findings=0
not_run=0
printf '\n%-14s %14s %10s %9s\n' target executions per-sec findings
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  found="$build/findings/$t"
  mkdir -p "$work" "$found"
  cp -n tests/fuzz/corpus/"$t"/* "$work"/ 2>/dev/null || true
  rm -f "$found"/*
  log="$build/fuzz_$t.log"
  "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$found/" "$work" >"$log" 2>&1 || true
  # A target that did not start has no statistics: 0 executions, and its log is shown.
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  execs=${execs:-0}
  if [ "$execs" -eq 0 ]; then
    not_run=$((not_run + 1))
    echo "  $t did not run:"
    tail -3 "$log" | sed 's/^/    /'
  fi
  findings=0
  for f in "$found"/*; do
    [ -e "$f" ] || continue
    findings=$((findings + 1))
    cp "$f" tests/fuzz/corpus/"$t"/
  done
  total_execs=$((total_execs + execs))
  total_findings=$((total_findings + findings))
  printf '%-14s %14d %10d %9d\n' "$t" "$execs" $((execs / (seconds > 0 ? seconds : 1))) "$findings"
  if [ "$findings" -gt 0 ]; then
    echo "  see $log; the inputs were copied to tests/fuzz/corpus/$t/"
  fi
done
printf '%-14s %14d %10s %9d\n' "all" "$total_execs" "" "$total_findings"
[ "$total_findings" -eq 0 ] && [ "$not_run" -eq 0 ]
