#!/usr/bin/env bash
# Runs the built replay tool on one named case and checks its exit status,
# its output and the files it leaves. Usage: tool_cases.sh REZOV SOURCE_DIR CASE
set -uo pipefail

rezov=$1
src=$2
case_name=$3
fixtures=$src/tests/tools/fixtures
example=$src/examples/moscow-championship.adi
answers=$src/examples/setup-answers.txt
scratch=$(mktemp -d "${TMPDIR:-/tmp}/rezov-tool-$case_name-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
out=$scratch/stdout
err=$scratch/stderr
failures=0

fail() {
  echo "FAIL [$case_name]: $*" >&2
  echo "--- stdout:" >&2; cat "$out" >&2 2>/dev/null
  echo "--- stderr:" >&2; cat "$err" >&2 2>/dev/null
  failures=$((failures + 1))
}

# run EXPECTED_STATUS ARGS...: the tool with its work folder in the scratch
# folder unless the arguments name one.
run() {
  local want=$1
  shift
  "$rezov" "$@" >"$out" 2>"$err" </dev/null
  local got=$?
  [ "$got" -eq "$want" ] || fail "exit status $got, expected $want: rezov $*"
}

stdout_has() { grep -qF -- "$1" "$out" || fail "stdout lacks: $1"; }
stderr_has() { grep -qF -- "$1" "$err" || fail "stderr lacks: $1"; }
one_error_line() {
  [ "$(wc -l <"$err")" -eq 1 ] || fail "expected one error line, got $(wc -l <"$err")"
  grep -q '^rezov: error: ' "$err" || fail "the line is not an error line"
  [ ! -s "$out" ] || fail "stdout should be empty"
}

case "$case_name" in
  exit_ok)
    run 0 score "$fixtures/basic.adi" --workdir "$scratch/w"
    stdout_has "Total	 4	 4	"
    stdout_has "Score: "
    [ -f "$scratch/w/Plugins/VARNO.ini" ] || fail "no Plugins/VARNO.ini in the work folder"
    ;;
  exit_skipped)
    run 2 score "$fixtures/malformed.adi" --workdir "$scratch/w"
    stdout_has "Total	 3	 3	"
    stderr_has "malformed.adi: record 1 (line 3, byte 60): bad field length in <CALL:x>; record skipped"
    stderr_has "record 15 (line 17, byte "
    stderr_has "record 12 (line 14, byte "
    stderr_has "12 of 15 records skipped"
    [ "$(grep -c 'record skipped$' "$err")" -eq 12 ] || fail "expected 12 skipped records"
    run 2 score "$fixtures/malformed.cbr" --workdir "$scratch/w"
    stdout_has "Total	 1	 1	"
    stderr_has "record 1 (line 3, byte 35): expected 10 items"
    ;;
  exit_missing_log)
    run 1 score "$scratch/none.adi" --workdir "$scratch/w"
    one_error_line
    stderr_has "cannot read the log $scratch/none.adi: No such file or directory"
    [ ! -e "$scratch/w" ] || fail "a work folder was made for nothing"
    run 1 score "$scratch" --workdir "$scratch/w"
    one_error_line
    stderr_has "Is a directory"
    run 1 score "$fixtures/no_eoh.adi" --workdir "$scratch/w"
    one_error_line
    stderr_has "the header text has no <EOH>"
    ;;
  exit_missing_module)
    run 1 score "$fixtures/malformed.adi" --module "$scratch/Rezov.so" --workdir "$scratch/w"
    one_error_line
    stderr_has "no module file $scratch/Rezov.so"
    run 1 score "$fixtures/basic.adi" --module "$fixtures/basic.adi" --workdir "$scratch/w"
    one_error_line
    stderr_has "cannot use the module $fixtures/basic.adi"
    cp "$rezov" "$scratch/lonely"
    "$scratch/lonely" score "$fixtures/basic.adi" --workdir "$scratch/w" >"$out" 2>"$err"
    [ $? -eq 1 ] || fail "a tool without a module beside it must fail"
    one_error_line
    stderr_has "build the target Rezov or name the module with --module PATH"
    ;;
  exit_bad_workdir)
    touch "$scratch/file"
    run 1 score "$fixtures/basic.adi" --workdir "$scratch/file/w"
    one_error_line
    stderr_has "cannot use the work folder $scratch/file/w"
    ;;
  exit_missing_cty)
    run 1 score "$fixtures/basic.adi" --cty "$scratch/cty.dat" --workdir "$scratch/w"
    one_error_line
    stderr_has "cannot read the country file $scratch/cty.dat"
    stderr_has "apt-get install hamradio-files"
    # A log whose entities all come with their Russian DXCC codes needs no file.
    printf '<CALL:4>R3AA <QSO_DATE:8>20240217 <TIME_ON:4>1801 <FREQ:5>1.830 <MODE:2>CW <DXCC:2>54 <EOR>\n' >"$scratch/ru.adi"
    run 0 score "$scratch/ru.adi" --cty "$scratch/cty.dat" --workdir "$scratch/w"
    stderr_has "note: the log names no own call"
    stderr_has "note: the log names no own region"
    ;;
  exit_usage)
    run 1
    run 1 score
    run 1 check "$fixtures/basic.adi" R3AA --mode CW
    run 1 score "$fixtures/basic.adi" --date 2024-02-30 --workdir "$scratch/w"
    one_error_line
    run 1 check "$fixtures/basic.adi" R3AA --band 11 --mode CW --workdir "$scratch/w"
    one_error_line
    run 0 --help
    stdout_has "report"
    ;;
  example_summary)
    run 0 score "$example" --workdir "$scratch/w"
    cmp -s "$out" "$src/examples/expected-summary.txt" || fail "the summary differs from examples/expected-summary.txt"
    stderr_has "record 7 (line 13, byte "
    stderr_has "RA3AGS on 160 CW repeats record 1 in the tour 18:00-18:29 UTC"
    # The overrides reach the module.
    run 0 --call R3XYZ --date 2024-03-05 score "$example" --workdir "$scratch/w"
    stdout_has "Championship of Moscow 05.03.2024 "
    stdout_has "     Contestant: R3XYZ"
    ;;
  example_report)
    "$rezov" report "$example" --workdir "$scratch/w" <"$answers" >"$out" 2>"$err"
    [ $? -eq 0 ] || fail "report failed"
    head -n 8 "$out" | cmp -s - "$src/examples/expected-summary.txt" || fail "report summary differs"
    stdout_has "Cabrillo file: $scratch/w/RK3AXW.cbr"
    cbr=$scratch/w/RK3AXW.cbr
    [ -f "$cbr" ] || fail "no Cabrillo file"
    grep -q $'^CLAIMED-SCORE: 561\r$' "$cbr" || fail "CLAIMED-SCORE"
    grep -q $'^NAME: Andrei Sokolov\r$' "$cbr" || fail "NAME from the answers"
    grep -q $'^ADDRESS: Moscow 125009\r$' "$cbr" || fail "second ADDRESS line"
    [ "$(grep -c $'^QSO: .*\r$' "$cbr")" -eq 33 ] || fail "expected 33 QSO lines"
    grep -q $'^QSO:  1831 CW 2024-02-17 1801 RK3AXW        001 MA     RA3AGS        004 MA\r$' "$cbr" ||
      fail "first QSO line"
    grep -q '^Name=Andrei Sokolov' "$scratch/w/Plugins/VARNO.ini" || fail "settings not saved"
    ;;
  report_not_produced)
    # A good report, then one whose writes run out of room part-way (a file
    # size limit of 2 KiB, the signal ignored): the old file stays whole and
    # the tool prints the module's message with the reason, and no path.
    "$rezov" report "$example" --workdir "$scratch/w" <"$answers" >"$out" 2>"$err" || fail "report failed"
    cbr=$scratch/w/RK3AXW.cbr
    cp "$cbr" "$scratch/old.cbr"
    bash -c 'ulimit -f 2; trap "" XFSZ; exec "$@"' _ "$rezov" report "$example" \
      --workdir "$scratch/w" <"$answers" >"$out" 2>"$err"
    [ $? -eq 1 ] || fail "a file not produced must exit 1"
    stderr_has "rezov: error: File not produced: RK3AXW.cbr: File too large"
    grep -q '^Cabrillo file:' "$out" && fail "a path printed for a file not produced"
    cmp -s "$cbr" "$scratch/old.cbr" || fail "the old Cabrillo file was touched"
    ls -a "$scratch/w" | grep -q '\.tmp$' && fail "a temporary file was left"
    rm "$cbr" && mkdir "$cbr"
    run 1 report "$example" --workdir "$scratch/w"
    stderr_has "rezov: error: File not produced: RK3AXW.cbr: is a folder"
    # A settings file that cannot take the new score: a warning, still exit 0.
    printf '[Settings]\r\nClaimed=5\r\n' >"$scratch/w/Plugins/VARNO.ini"
    chmod 444 "$scratch/w/Plugins/VARNO.ini"
    run 0 score "$example" --workdir "$scratch/w"
    stderr_has "rezov: warning: the settings file $scratch/w/Plugins/VARNO.ini was not saved: the file is read-only"
    ;;
  round_trip)
    "$rezov" report "$example" --workdir "$scratch/w1" <"$answers" >"$out" 2>"$err" || fail "report failed"
    score_line=$(grep '^Score: ' "$out")
    run 0 score "$scratch/w1/RK3AXW.cbr" --workdir "$scratch/w2"
    [ "$(grep '^Score: ' "$out")" = "$score_line" ] || fail "score line differs: $score_line"
    cmp -s "$out" "$src/examples/expected-summary.txt" || fail "the replayed summary differs"
    # And the Cabrillo file written from the Cabrillo file is the same file.
    "$rezov" report "$scratch/w1/RK3AXW.cbr" --workdir "$scratch/w2" <"$answers" >"$out" 2>"$err" ||
      fail "second report failed"
    cmp -s "$scratch/w1/RK3AXW.cbr" "$scratch/w2/RK3AXW.cbr" || fail "the second Cabrillo file differs"
    ;;
  check_call)
    # Keep clear of a tour boundary so the log and the module's clock agree.
    while [ $(( $(date -u +%-M) % 30 )) -eq 29 ] && [ "$(date -u +%-S)" -ge 50 ]; do sleep 1; done
    day=$(date -u +%Y%m%d)
    now=$(date -u +%H%M)
    {
      printf '<CALL:4>R3AA <QSO_DATE:8>%s <TIME_ON:4>%s <FREQ:5>1.830 <MODE:2>CW <SRX_STRING:6>003 MA <EOR>\n' "$day" "$now"
      printf '<CALL:4>R3BB <QSO_DATE:8>%s <TIME_ON:4>%s <FREQ:5>1.831 <MODE:2>CW <SRX_STRING:6>004 SP <EOR>\n' "$day" "$now"
    } >"$scratch/now.adi"
    run 0 check "$scratch/now.adi" r3aa --band 160m --mode cw --region MA --workdir "$scratch/w"
    stdout_has ": 0, refused: a repeat in the current tour"
    stdout_has "message: QSO c R3AA В ОДНОМ и ТОМ ЖЕ ТУРЕ ПРОВОДИТЬ НЕЛЬЗЯ !!!"
    run 0 check "$scratch/now.adi" R3AA --band 80 --mode CW --region MA --workdir "$scratch/w"
    stdout_has "country UA: 1, allowed: no new multiplier"
    grep -q '^message' "$out" && fail "a message without a refusal"
    run 0 check "$scratch/now.adi" R3CC --band 160 --mode CW --region TV --workdir "$scratch/w"
    stdout_has ": 2, allowed: a new multiplier"
    run 0 check "$scratch/now.adi" R3CC --band 160 --mode CW --region SP --workdir "$scratch/w"
    stdout_has ": 1, allowed: no new multiplier"
    run 0 check "$scratch/now.adi" UR5EAW --band 160 --mode CW --region UR --workdir "$scratch/w"
    stdout_has "country UR: 1, allowed: a station outside Russia"
    run 0 check "$scratch/now.adi" XY1ZZ --band 160 --mode CW --country UA9 --region SV --workdir "$scratch/w"
    stdout_has "country UA9: 2, allowed: a new multiplier"
    # No region: the Moscow station's empty OBL key matches it.
    run 0 check "$scratch/now.adi" XY1ZZ --band 160 --mode CW --country UA9 --workdir "$scratch/w"
    stdout_has "region (none), country UA9: 1, allowed: no new multiplier"
    ;;
  dump)
    run 0 dump "$fixtures/basic.adi"
    stdout_has '"own_call": "RK3AXW"'
    stdout_has '"call": "R3ACX/P", "qso_date": "20240217", "time_on": "190200", "freq_hz": 3524700, "band": "80"'
    stdout_has '"country": "UA"'
    stdout_has '"country": "UR"'
    run 2 dump "$fixtures/malformed.adi"
    stdout_has '"reason": "no MODE"'
    ;;
  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ]
