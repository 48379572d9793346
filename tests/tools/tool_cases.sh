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
# dump_has TEXT: the dump on stdout holds TEXT, written as `"a": 1, "b": 2`,
# in one contact, one skipped record or the top-level values.
dump_has() {
  local compact want
  compact=$(jq -c '(.contacts[], .skipped[]), del(.contacts, .skipped)' "$out") ||
    { fail "stdout is no JSON"; return; }
  want=$(sed 's/": /":/g; s/, "/,"/g' <<<"$1")
  grep -qF -- "$want" <<<"$compact" || fail "the dump lacks: $1"
}
stderr_has() { grep -qF -- "$1" "$err" || fail "stderr lacks: $1"; }
# refused MESSAGE ARGS...: the tool exits 1 with one error line that holds
# MESSAGE.
refused() {
  local message=$1
  shift
  run 1 "$@"
  one_error_line
  stderr_has "$message"
}
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
    stderr_has "11 of 15 records skipped"
    [ "$(grep -c 'record skipped$' "$err")" -eq 11 ] || fail "expected 11 skipped records"
    stderr_has "1 contact not handed on: the record gives no mode (record 9;"
    run 2 score "$fixtures/malformed.cbr" --workdir "$scratch/w"
    stdout_has "Total	 1	 1	"
    stderr_has "record 1 (line 3, byte 35): 9 items where the QSO lines of this log have 10 (frequency mode date time own-call serial region call serial region)"
    # One reason on many records: five shown, the rest counted.
    run 2 dump "$fixtures/repeated_faults.adi"
    [ "$(grep -c 'no TIME_ON; record skipped$' "$err")" -eq 5 ] || fail "five of a reason"
    stderr_has "repeated_faults.adi: … and 3 more skipped: no TIME_ON"
    stderr_has "record 10 (line 12, byte 623): the call 'Р3AA' is not written in ASCII letters and digits; record skipped"
    ;;
  exit_missing_log)
    refused "cannot read the log $scratch/none.adi: No such file or directory" score "$scratch/none.adi" --workdir "$scratch/w"
    [ ! -e "$scratch/w" ] || fail "a work folder was made for nothing"
    refused "Is a directory" score "$scratch" --workdir "$scratch/w"
    refused "the header text has no <EOH>" score "$fixtures/no_eoh.adi" --workdir "$scratch/w"
    ;;
  exit_missing_module)
    refused "no module file $scratch/Rezov.so" score "$fixtures/malformed.adi" --module "$scratch/Rezov.so" --workdir "$scratch/w"
    refused "cannot use the module $fixtures/basic.adi" score "$fixtures/basic.adi" --module "$fixtures/basic.adi" --workdir "$scratch/w"
    cp "$rezov" "$scratch/lonely"
    "$scratch/lonely" score "$fixtures/basic.adi" --workdir "$scratch/w" >"$out" 2>"$err"
    [ $? -eq 1 ] || fail "a tool without a module beside it must fail"
    one_error_line
    stderr_has "build the target Rezov or name the module with --module PATH"
    ;;
  exit_bad_workdir)
    touch "$scratch/file"
    refused "cannot use the work folder $scratch/file/w" score "$fixtures/basic.adi" --workdir "$scratch/file/w"
    ;;
  exit_missing_cty)
    refused "cannot read the country file $scratch/cty.dat" score "$fixtures/basic.adi" --cty "$scratch/cty.dat" --workdir "$scratch/w"
    stderr_has "apt-get install hamradio-files"
    # A log whose entities all come with their Russian DXCC codes needs no file.
    printf '<CALL:4>R3AA <QSO_DATE:8>20240217 <TIME_ON:4>1801 <FREQ:5>1.830 <MODE:2>CW <DXCC:2>54 <EOR>\n' >"$scratch/ru.adi"
    run 0 score "$scratch/ru.adi" --cty "$scratch/cty.dat" --workdir "$scratch/w"
    stderr_has "note: the log names no own call"
    stderr_has "note: the log names no own region"
    # Without --cty, a cty.dat beside the tool comes first (a broken one
    # here, so that its use shows).
    mkdir "$scratch/bin"
    cp "$rezov" "$(dirname "$rezov")/Rezov.so" "$scratch/bin/"
    cp "$fixtures/unterminated_cty.dat" "$scratch/bin/cty.dat"
    "$scratch/bin/rezov" score "$fixtures/basic.adi" --workdir "$scratch/w" >"$out" 2>"$err"
    stderr_has "the country file $scratch/bin/cty.dat is not a cty.dat country file"
    ;;
  exit_usage)
    run 1
    run 1 score
    run 1 check "$fixtures/basic.adi" R3AA --mode CW
    run 1 score "$fixtures/basic.adi" --date 2024-02-30 --workdir "$scratch/w"
    one_error_line
    run 1 check "$fixtures/basic.adi" R3AA --band 11 --mode CW --workdir "$scratch/w"
    one_error_line
    # Only the contest's bands and modes, and calls in ASCII.
    run 1 check "$fixtures/basic.adi" R3AA --band 40 --mode CW --workdir "$scratch/w"
    stderr_has "band 40 is not a band of this contest (160 or 80)"
    run 1 check "$fixtures/basic.adi" R3AA --band 160 --mode FT8 --workdir "$scratch/w"
    stderr_has "mode FT8 is not a mode of this contest (CW or SSB)"
    refused "the call 'Р3АА' is not written in ASCII letters and digits" check "$fixtures/basic.adi" "Р3АА" --band 160 --mode CW --workdir "$scratch/w"
    run 0 --help
    stdout_has "report"
    ;;
  example_summary)
    run 0 score "$example" --workdir "$scratch/w"
    cmp -s "$out" "$src/examples/expected-summary.txt" || fail "the summary differs from examples/expected-summary.txt"
    stderr_has "record 7 (line 13, byte 1659): RA3AGS on 160 CW is a repeat of record 1 in tour 18:00-18:29; the host refuses it at entry"
    stderr_has "32 of 33 contacts handed on to the module, 1 of the others repeats"
    # Handed on as the host would not: the summary of all 33.
    run 0 score "$example" --workdir "$scratch/w" --keep-repeats
    stdout_has "Total	 33	 33	 5	 8	 4"
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
    grep -q $'^CLAIMED-SCORE: 544\r$' "$cbr" || fail "CLAIMED-SCORE"
    grep -q $'^NAME: Andrei Sokolov\r$' "$cbr" || fail "NAME from the answers"
    grep -q $'^ADDRESS: Moscow 125009\r$' "$cbr" || fail "second ADDRESS line"
    [ "$(grep -c $'^QSO: .*\r$' "$cbr")" -eq 32 ] || fail "expected 32 QSO lines"
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
  report_page)
    # score --html writes the page without report mode, named as given
    # (relative to where the tool was started, not to its work folder).
    (cd "$scratch" && "$rezov" score "$example" --workdir w --html page.html) >"$out" 2>"$err" ||
      fail "score --html failed"
    stdout_has "Report page: $scratch/page.html"
    grep -q '<p>No Cabrillo file was written in this run.</p>' "$scratch/page.html" ||
      fail "a page without a Cabrillo header"
    grep -q 'Score = points &times; (OBL + MA + Grid) = 32 &times; (8 + 5 + 4)' "$scratch/page.html" ||
      fail "the formula"
    # A page that cannot be written: the old one stays, one error line.
    mkdir "$scratch/folder.html"
    run 1 score "$example" --workdir "$scratch/w" --html "$scratch/folder.html"
    stderr_has "rezov: error: the report page $scratch/folder.html was not written: is a folder"
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
    dump_has '"own_call": "RK3AXW"'
    dump_has '"call": "R3ACX/P", "qso_date": "20240217", "time_on": "190200", "freq_hz": 3524700, "band": "80"'
    dump_has '"country": "UA"'
    dump_has '"country": "UR"'
    run 2 dump "$fixtures/malformed.adi"
    dump_has '"reason": "no CALL"'
    dump_has '"call": "R3AI", "qso_date": "20240217", "time_on": "180900", "freq_hz": 1838000, "band": "160", "mode": ""'
    dump_has '"excluded": "the record gives no mode"'
    # Every contact read is dumped, with why the replay would keep it back.
    run 0 dump "$example"
    [ "$(grep -c '"call": ' "$out")" -eq 33 ] || fail "33 contacts dumped"
    dump_has '"excluded": "repeat of record 1 in tour 18:00-18:29"'
    ;;
  real_traits)
    # What real logs hold, one small fixture each; each failed before.
    run 0 score "$fixtures/band_only.adi" --workdir "$scratch/w" --call R3XX --region MA
    stderr_has "note: 3 records have BAND and no FREQ; the frequency is taken as the lower edge of the band"
    stderr_has "1 contact not handed on: band 40 m is not a contest band (record 3;"
    stdout_has "Total	 2	 2	"
    run 0 --all-contacts score "$fixtures/band_only.adi" --workdir "$scratch/w" --call R3XX --region MA
    stdout_has "Total	 3	 3	"
    run 0 score "$fixtures/end_marker.adi" --workdir "$scratch/w" --call R3XX --region MA
    run 0 dump "$fixtures/char_lengths.adi"
    stderr_has "a field length counts the characters of a UTF-8 value"
    dump_has '"call": "R3ABC", "qso_date": "20240217"'
    run 0 dump "$fixtures/exchanges.adi"
    for want in '"sent_number": "007", "rcvd_exchange": "001 MA"' '"rcvd_exchange": "002 MA"' \
                '"rcvd_exchange": "003 SP"' '"sent_number": "008", "rcvd_exchange": "045 TV"'; do
      dump_has "$want"
    done
    run 0 dump "$fixtures/lower_case.adi"
    dump_has '"own_call": "RK3AXW"'
    dump_has '"call": "RA3AGS", "qso_date": "20240217", "time_on": "180100", "freq_hz": 1800000, "band": "160", "mode": "CW"'
    dump_has '"excluded": "repeat of record 1 in tour 18:00-18:29"'
    run 2 dump "$fixtures/rst.cbr"
    dump_has '"rst_sent": "599", "rst_rcvd": "579", "sent_number": "002", "rcvd_exchange": "015 SV"'
    stderr_has "11 items where the QSO lines of this log have 12 (frequency mode date time own-call report serial region call report serial region)"
    run 0 dump "$fixtures/one_token.cbr"
    dump_has '"call": "R9XYZ", "qso_date": "20240217", "time_on": "180200", "freq_hz": 3512000, "band": "80", "mode": "SSB", "rst_sent": "", "rst_rcvd": "", "sent_number": "002", "rcvd_exchange": "015 SV"'
    dump_has '"layout": "frequency mode date time own-call serial+region call serial+region transmitter"'
    run 0 score "$fixtures/other_contest.log" --workdir "$scratch/w"
    stderr_has "warning: $fixtures/other_contest.log is a log of the contest CQ-160-CW, not of MSK"
    stderr_has "1 contact not handed on: band 20 m is not a contest band (record 7;"
    stderr_has "record 8 (line 11, byte 482): N2MF on 160 CW is a repeat of record 3 in tour 22:00-22:29"
    stdout_has "Total	 5	 5	"
    ;;
  not_a_log)
    # Nothing that is a contact: one line that says what the file is, exit 1,
    # and no Cabrillo file.
    : >"$scratch/empty.adi"
    printf 'START-OF-LOG: 3.0\r\nCALLSIGN: R3XX\r\nEND-OF-LOG:\r\n' >"$scratch/header.cbr"
    head -c 2000 /bin/sh >"$scratch/binary.adi"
    for c in "empty.adi:it is empty" "header.cbr:it is a Cabrillo header with no QSO: line" \
             "binary.adi:it holds binary data"; do
      refused "no contact read: ${c#*:}" report "$scratch/${c%%:*}" --workdir "$scratch/w"
    done
    refused "no contact read: it is comma-separated values" score "$fixtures/not_a_log.log" --workdir "$scratch/w"
    ls "$scratch/w"/*.cbr >/dev/null 2>&1 && fail "a Cabrillo file for a file that is no log"
    printf '<CALL:4>R3AA <QSO_DATE:8>20240217 <TIME_ON:4>1801 <BAND:3>20m <MODE:2>CW <EOR>\n' >"$scratch/dx.adi"
    run 1 score "$scratch/dx.adi" --workdir "$scratch/w"
    stderr_has "none of its 1 contacts is on a band and in a mode of this contest"
    ;;
  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ]
