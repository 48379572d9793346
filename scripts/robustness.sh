#!/usr/bin/env bash
# Robustness checks of the Linux build, each one a stage:
#   sanitize  the unit, boundary, reference and hostile suites built with
#             AddressSanitizer and UndefinedBehaviorSanitizer (preset
#             "sanitize", build/sanitize); LeakSanitizer runs with them;
#   fuzz      the libFuzzer targets (clang, build/fuzz), each for
#             REZOV_FUZZ_SECONDS (20) on its committed corpus under
#             fuzz/corpus/; new inputs go to the build folder, never into
#             the tree;
#   valgrind  the boundary suite under valgrind memcheck on a plain build
#             (build/valgrind), any error or definite leak failing it.
# Usage: scripts/robustness.sh [stage...]     (all three when none given)
# Environment: REZOV_FUZZ_SECONDS, REZOV_DIFF_SESSIONS (differential
# sessions in the sanitizer run, 2000), REZOV_SANITIZE_DIR, REZOV_FUZZ_DIR,
# REZOV_VALGRIND_DIR, REZOV_JOBS (2).
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${REZOV_JOBS:-2}"
fuzz_seconds="${REZOV_FUZZ_SECONDS:-20}"
sanitize_dir="${REZOV_SANITIZE_DIR:-$root/build/sanitize}"
fuzz_dir="${REZOV_FUZZ_DIR:-$root/build/fuzz}"
valgrind_dir="${REZOV_VALGRIND_DIR:-$root/build/valgrind}"
stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(sanitize fuzz valgrind)

passed=0
failed=0
failures=()

note() { echo "robustness: $*"; }

stage_result() {  # name, status
  if [ "$2" -eq 0 ]; then
    passed=$((passed + 1))
    note "$1 passed"
  else
    failed=$((failed + 1))
    failures+=("$1")
    note "$1 FAILED"
  fi
}

run_sanitize() {
  (cd "$root" && cmake --preset sanitize -B "$sanitize_dir" >/dev/null) || return 1
  cmake --build "$sanitize_dir" -j"$jobs" || return 1
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  REZOV_DIFF_SESSIONS="${REZOV_DIFF_SESSIONS:-2000}" \
    ctest --test-dir "$sanitize_dir" --output-on-failure -j"$jobs"
}

run_fuzz() {
  CXX=clang++ cmake -S "$root" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DREZOV_BUILD_FUZZ=ON -DREZOV_BUILD_TESTS=OFF -DREZOV_BUILD_TOOLS=OFF >/dev/null || return 1
  cmake --build "$fuzz_dir" -j"$jobs" --target fuzzers || return 1
  local status=0 target name corpus work
  for target in "$fuzz_dir"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name="$(basename "$target")"
    name="${name#fuzz_}"
    corpus="$root/fuzz/corpus/$name"
    work="$fuzz_dir/runs/$name"
    mkdir -p "$work/new" "$work/findings"
    [ -d "$corpus" ] || mkdir -p "$work/empty-corpus"
    note "fuzzing $name for ${fuzz_seconds}s"
    if ! "$target" -max_total_time="$fuzz_seconds" -timeout=30 -rss_limit_mb=4096 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$work/findings/" \
        "$work/new" "$( [ -d "$corpus" ] && echo "$corpus" || echo "$work/empty-corpus")" \
        >"$work/log.txt" 2>&1; then
      status=1
      note "$name found a fault; log: $work/log.txt, input: $(ls "$work"/findings/* 2>/dev/null | head -1)"
      tail -40 "$work/log.txt"
    fi
    # The figures of every run, a failed one's too: executions, their rate,
    # new corpus units and peak memory.
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)|^Done' \
      "$work/log.txt" | sed "s/^/  $name: /"
  done
  return $status
}

run_valgrind() {
  command -v valgrind >/dev/null || { note "valgrind is not installed"; return 1; }
  cmake -S "$root" -B "$valgrind_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null ||
    return 1
  cmake --build "$valgrind_dir" -j"$jobs" --target rezov_boundary_tests Rezov || return 1
  # The boundary suite starts the companion program in a forked child that
  # exits at once; valgrind follows only the test process itself.
  valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --child-silent-after-fork=yes \
    --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
    "$valgrind_dir/tests/rezov_boundary_tests" </dev/null
}

for stage in "${stages[@]}"; do
  case "$stage" in
    sanitize) run_sanitize; stage_result sanitize $? ;;
    fuzz) run_fuzz; stage_result fuzz $? ;;
    valgrind) run_valgrind; stage_result valgrind $? ;;
    *) note "unknown stage $stage (sanitize, fuzz, valgrind)"; stage_result "$stage" 1 ;;
  esac
done

[ $failed -gt 0 ] && note "failed stages: ${failures[*]}"
echo "robustness: $passed passed, $failed failed"
[ $failed -eq 0 ]
